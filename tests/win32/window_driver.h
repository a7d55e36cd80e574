// Drives the real main window under Wine: builds it with the reader wired
// in, pumps its messages between steps, and sends it real keyboard and mouse
// input through SendInput. Every event the window raises is recorded with
// what the window looked like at that moment, then passed on to the reader.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/win32_form.h"
#include "platform/win32/win32_services.h"
#include "reader/reader_app.h"

namespace qm::win32::testing {

struct RaisedEvent {
    std::string kind;  // "created", "positionChanged", "sizeChanged", "keyPressed", ...
    ControlName control = ControlName::分组框1;
    int code = 0;  // key code or tray code
    int modifiers = 0;
    ScreenPoint point;
    bool windowVisible = false;  // the main window, as the event was raised
    int currentRow = -1;         // of the control's list, for list events
};

class RecordingEvents : public FormEvents {
  public:
    RecordingEvents(Win32Form& form, FormEvents& reader) : form_(form), reader_(reader) {}

    std::vector<RaisedEvent> events;
    // Off: events are recorded only, and the reader's handlers stay out.
    bool passOn = true;
    // Runs once the reader has handled an event.
    std::function<void(const RaisedEvent&)> afterEvent;
    std::vector<RaisedEvent> ofKind(const std::string& kind) const;

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
    void deliver(const RaisedEvent& e, const std::function<void(FormEvents&)>& call);
    RaisedEvent record(const std::string& kind, ControlName control = ControlName::分组框1);

    Win32Form& form_;
    FormEvents& reader_;
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh window in place of the current one.
    void reopen();
    void closeWindow();

    // Messages for the given time, or until the condition holds.
    static void pumpFor(int ms);
    static bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000);

    // Real input, as the user gives it.
    // With a modifier key (VK_CONTROL, VK_SHIFT) held down, if one is given.
    void pressKey(WORD virtualKey, WORD modifier = 0);
    void clickAt(POINT screen);
    void moveMouseTo(POINT screen);
    // The centre of a control (or of a part of it) on the screen.
    POINT centreOf(ControlName control) const;
    POINT screenPoint(ControlName control, int x, int y) const;
    void focus(ControlName control);

    HWND window() const { return form->handle(); }
    HWND handleOf(ControlName control) const { return form->controlHandle(control); }
    bool visible(ControlName control) const;
    HWND focused() const { return GetFocus(); }

    std::unique_ptr<Win32Form> form;
    std::unique_ptr<Win32Services> services;
    std::unique_ptr<ReaderApp> app;
    std::unique_ptr<RecordingEvents> recorder;
    std::vector<Text> messages;  // message boxes the reader would have shown
    // Given to the recorder of every window opened from now on.
    std::function<void(const RaisedEvent&)> afterEachEvent;
};

// One key going down or up, for SendInput.
INPUT keyInput(WORD virtualKey, bool up);

}  // namespace qm::win32::testing
