// The hook through which the toolkit and the sources let the window process
// its pending events. The window installs it; without one it does nothing.
#pragma once

#include <functional>

namespace qm {

void setEventPump(std::function<void()> pump);
void processPendingEvents();

}  // namespace qm
