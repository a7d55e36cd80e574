// The form's events as the window raises them: each handler runs on its own,
// and one that fails (throws) stops only its own event. The window's own
// handling of the input (Esc, Tab, the control's default processing) goes on.
#pragma once

#include "reader/form.h"

namespace qm::win32 {

class GuardedEvents : public FormEvents {
  public:
    // nullptr: events go nowhere (while the window is built or gone).
    void setTarget(FormEvents* target) { target_ = target; }

    void onCreated() override;
    void onPositionChanged() override;
    void onSizeChanged() override;
    void onTrayEvent(int code) override;
    void onTrackbarMoved() override;
    void onTimerTick(ControlName timer) override;
    void onClicked(ControlName control) override;
    void onGotFocus(ControlName control) override;
    void onLostFocus(ControlName control) override;
    void onKeyPressed(ControlName control, int keyCode, int modifiers) override;
    void onRightButtonDown(ControlName control, ScreenPoint point, int modifiers) override;
    void onMenuItem(MenuItem item) override;

  private:
    template <typename Event>
    void deliver(const Event& event);

    FormEvents* target_ = nullptr;
};

}  // namespace qm::win32
