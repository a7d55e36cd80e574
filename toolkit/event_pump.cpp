#include "toolkit/event_pump.h"

#include <utility>

namespace qm {

namespace {

std::function<void()>& installedPump() {
    static std::function<void()> pump;
    return pump;
}

}  // namespace

void setEventPump(std::function<void()> pump) {
    installedPump() = std::move(pump);
}

void processPendingEvents() {
    // A copy, so that a pump which installs another hook while it runs does
    // not destroy the function it is executing.
    const std::function<void()> pump = installedPump();
    if (pump) pump();
}

}  // namespace qm
