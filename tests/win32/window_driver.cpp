#include "tests/win32/window_driver.h"

#include <commctrl.h>

#include "platform/win32/message_pump.h"
#include "toolkit/event_pump.h"
#include "toolkit/message_box.h"

namespace qm::win32::testing {

// --- Recording ---

std::vector<RaisedEvent> RecordingEvents::ofKind(const std::string& kind) const {
    std::vector<RaisedEvent> found;
    for (const RaisedEvent& e : events) {
        if (e.kind == kind) found.push_back(e);
    }
    return found;
}

RaisedEvent RecordingEvents::record(const std::string& kind, ControlName control) {
    RaisedEvent e;
    e.kind = kind;
    e.control = control;
    e.windowVisible = form_.exists() && IsWindowVisible(form_.handle()) != FALSE;
    if (control == ControlName::超级列表框小说显示 || control == ControlName::超级列表框章节) {
        e.currentRow = form_.table(control).currentRow();
    }
    return e;
}

void RecordingEvents::deliver(const RaisedEvent& e, const std::function<void(FormEvents&)>& call) {
    events.push_back(e);
    if (passOn) call(reader_);
    if (afterEvent) afterEvent(e);
}

void RecordingEvents::onCreated() {
    deliver(record("created"), [](FormEvents& r) { r.onCreated(); });
}
void RecordingEvents::onPositionChanged() {
    deliver(record("positionChanged"), [](FormEvents& r) { r.onPositionChanged(); });
}
void RecordingEvents::onSizeChanged() {
    deliver(record("sizeChanged"), [](FormEvents& r) { r.onSizeChanged(); });
}
void RecordingEvents::onTrayEvent(int code) {
    RaisedEvent e = record("trayEvent");
    e.code = code;
    deliver(e, [code](FormEvents& r) { r.onTrayEvent(code); });
}
void RecordingEvents::onTrackbarMoved() {
    RaisedEvent e = record("trackbarMoved", ControlName::滑块条1);
    e.code = form_.trackbarPosition();
    deliver(e, [](FormEvents& r) { r.onTrackbarMoved(); });
}
void RecordingEvents::onTimerTick(ControlName timer) {
    deliver(record("tick", timer), [timer](FormEvents& r) { r.onTimerTick(timer); });
}
void RecordingEvents::onClicked(ControlName control) {
    deliver(record("clicked", control), [control](FormEvents& r) { r.onClicked(control); });
}
void RecordingEvents::onGotFocus(ControlName control) {
    deliver(record("gotFocus", control), [control](FormEvents& r) { r.onGotFocus(control); });
}
void RecordingEvents::onLostFocus(ControlName control) {
    deliver(record("lostFocus", control), [control](FormEvents& r) { r.onLostFocus(control); });
}
void RecordingEvents::onKeyPressed(ControlName control, int keyCode, int modifiers) {
    RaisedEvent e = record("keyPressed", control);
    e.code = keyCode;
    e.modifiers = modifiers;
    deliver(e, [=](FormEvents& r) { r.onKeyPressed(control, keyCode, modifiers); });
}
void RecordingEvents::onRightButtonDown(ControlName control, ScreenPoint point, int modifiers) {
    RaisedEvent e = record("rightButtonDown", control);
    e.point = point;
    e.modifiers = modifiers;
    deliver(e, [=](FormEvents& r) { r.onRightButtonDown(control, point, modifiers); });
}
void RecordingEvents::onMenuItem(MenuItem item) {
    RaisedEvent e = record("menuItem");
    e.code = static_cast<int>(item);
    deliver(e, [item](FormEvents& r) { r.onMenuItem(item); });
}

// --- The window ---

void WindowTest::SetUp() {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    ASSERT_TRUE(initialised);
    installMessagePump();
    // A message box would wait for a click that never comes.
    setMessageHandler([this](const Text& text, const Text&, int) { messages.push_back(text); });
    reopen();
}

void WindowTest::TearDown() {
    closeWindow();
    setEventPump(nullptr);
    setMessageHandler(nullptr);
}

void WindowTest::closeWindow() {
    app.reset();
    services.reset();
    form.reset();
    recorder.reset();
    pumpFor(20);
}

void WindowTest::reopen() {
    closeWindow();
    form = std::make_unique<Win32Form>(GetModuleHandleW(nullptr), false);
    services = std::make_unique<Win32Services>(*form);
    app = std::make_unique<ReaderApp>(*form, *services);
    recorder = std::make_unique<RecordingEvents>(*form, app->events());
    recorder->afterEvent = afterEachEvent;
    ASSERT_TRUE(form->open(*recorder));
    pumpFor(50);
}

void WindowTest::pumpFor(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        pumpPendingMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
    pumpPendingMessages();
}

bool WindowTest::pumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    for (;;) {
        pumpPendingMessages();
        if (condition()) return true;
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

bool WindowTest::visible(ControlName control) const {
    HWND handle = handleOf(control);
    return handle != nullptr && IsWindowVisible(handle) != FALSE;
}

// --- Input ---

INPUT keyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

namespace {

INPUT mouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

}  // namespace

void WindowTest::pressKey(WORD virtualKey, WORD modifier) {
    std::vector<INPUT> inputs;
    if (modifier != 0) inputs.push_back(keyInput(modifier, false));
    inputs.push_back(keyInput(virtualKey, false));
    inputs.push_back(keyInput(virtualKey, true));
    if (modifier != 0) inputs.push_back(keyInput(modifier, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    pumpFor(60);
}

void WindowTest::moveMouseTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT move = mouseInput(MOUSEEVENTF_MOVE);
    SendInput(1, &move, sizeof(INPUT));
    pumpFor(60);
}

void WindowTest::clickAt(POINT screen) {
    moveMouseTo(screen);
    INPUT click[2] = {mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)};
    SendInput(2, click, sizeof(INPUT));
    pumpFor(120);
}

POINT WindowTest::screenPoint(ControlName control, int x, int y) const {
    POINT point{x, y};
    ClientToScreen(handleOf(control), &point);
    return point;
}

POINT WindowTest::centreOf(ControlName control) const {
    RECT client{};
    GetClientRect(handleOf(control), &client);
    return screenPoint(control, client.right / 2, client.bottom / 2);
}

void WindowTest::focus(ControlName control) {
    SetForegroundWindow(window());
    SetFocus(handleOf(control));
    pumpFor(30);
}

}  // namespace qm::win32::testing
