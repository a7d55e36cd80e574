// No window to show a busy sign on.
#include "toolkit/busy_indicator.h"

namespace qm {

void beginPlatformBusy() {}
void endPlatformBusy() {}

}  // namespace qm
