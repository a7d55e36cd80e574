#include "platform/win32/guarded_events.h"

namespace qm::win32 {

template <typename Event>
void GuardedEvents::deliver(const Event& event) {
    if (target_ == nullptr) return;
    try {
        event(*target_);
    } catch (...) {
        // Nothing to report to: the reader keeps no log, and the event's
        // input is handled as usual.
    }
}

void GuardedEvents::onCreated() {
    deliver([](FormEvents& e) { e.onCreated(); });
}
void GuardedEvents::onPositionChanged() {
    deliver([](FormEvents& e) { e.onPositionChanged(); });
}
void GuardedEvents::onSizeChanged() {
    deliver([](FormEvents& e) { e.onSizeChanged(); });
}
void GuardedEvents::onTrayEvent(int code) {
    deliver([code](FormEvents& e) { e.onTrayEvent(code); });
}
void GuardedEvents::onTrackbarMoved() {
    deliver([](FormEvents& e) { e.onTrackbarMoved(); });
}
void GuardedEvents::onTimerTick(ControlName timer) {
    deliver([timer](FormEvents& e) { e.onTimerTick(timer); });
}
void GuardedEvents::onClicked(ControlName control) {
    deliver([control](FormEvents& e) { e.onClicked(control); });
}
void GuardedEvents::onGotFocus(ControlName control) {
    deliver([control](FormEvents& e) { e.onGotFocus(control); });
}
void GuardedEvents::onLostFocus(ControlName control) {
    deliver([control](FormEvents& e) { e.onLostFocus(control); });
}
void GuardedEvents::onKeyPressed(ControlName control, int keyCode, int modifiers) {
    deliver([=](FormEvents& e) { e.onKeyPressed(control, keyCode, modifiers); });
}
void GuardedEvents::onRightButtonDown(ControlName control, ScreenPoint point, int modifiers) {
    deliver([=](FormEvents& e) { e.onRightButtonDown(control, point, modifiers); });
}
void GuardedEvents::onMenuItem(MenuItem item) {
    deliver([item](FormEvents& e) { e.onMenuItem(item); });
}

}  // namespace qm::win32
