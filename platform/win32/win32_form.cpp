#include "platform/win32/win32_form.h"

#include <algorithm>

#include "platform/win32/button.h"
#include "platform/win32/edit_box.h"
#include "platform/win32/fonts.h"
#include "platform/win32/group_box.h"
#include "platform/win32/label.h"
#include "platform/win32/list_view.h"
#include "platform/win32/picture_button.h"
#include "platform/win32/reflection.h"
#include "platform/win32/trackbar.h"
#include "platform/win32/win32_text.h"
#include "reader/form_description.h"
#include "resources/resource_ids.h"

namespace qm::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"QuillmereMainWindow";
constexpr DWORD kWindowStyle =
    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kFirstTimerId = 1;

// What table() gives for a control that is no list: nothing in, nothing out.
class NoTable : public TextTable {
  public:
    int columnCount() const override { return 0; }
    int rowCount() const override { return 0; }
    int appendRow() override { return -1; }
    void removeRow(int) override {}
    void clear() override {}
    Text cell(int, int) const override { return {}; }
    void setCell(int, int, const Text&) override {}
    int currentRow() const override { return -1; }
    void setCurrentRow(int) override {}
    void makeRowVisible(int) override {}
};

std::size_t indexOf(ControlName name) {
    return static_cast<std::size_t>(name);
}

std::size_t indexOf(ImageName image) {
    return static_cast<std::size_t>(image);
}

int resourceIdOf(ImageName image) {
    switch (image) {
        case ImageName::collapseImage:
            return IDB_COLLAPSE;
        case ImageName::collapseHotImage:
            return IDB_COLLAPSE_HOT;
        case ImageName::expandImage:
            return IDB_EXPAND;
        case ImageName::expandHotImage:
            return IDB_EXPAND_HOT;
    }
    return IDB_COLLAPSE;
}

// The copy of the icon file in the program's data; empty without one.
std::span<const unsigned char> iconFileBytes(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_APP_ICON_DATA), RT_RCDATA);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    if (loaded == nullptr) return {};
    return {static_cast<const unsigned char*>(LockResource(loaded)),
            SizeofResource(instance, found)};
}

std::unique_ptr<Control> makeControl(ControlHost& host, const ControlSpec& settings) {
    switch (settings.type) {
        case ControlType::radioButton:
        case ControlType::pushButton:
            return std::make_unique<Button>(host, settings);
        case ControlType::editBox:
            return std::make_unique<EditBox>(host, settings);
        case ControlType::label:
            return std::make_unique<Label>(host, settings);
        case ControlType::listView:
            return std::make_unique<ListView>(host, settings);
        case ControlType::pictureButton:
            return std::make_unique<PictureButton>(host, settings);
        case ControlType::trackbar:
            return std::make_unique<Trackbar>(host, settings);
        case ControlType::groupBox:
            return std::make_unique<GroupBox>(host, settings);
        case ControlType::fontDialog:
        case ControlType::timer:
            return nullptr;
    }
    return nullptr;
}

}  // namespace

Win32Form::Win32Form(HINSTANCE instance, bool quitWhenDestroyed)
    : instance_(instance),
      quitWhenDestroyed_(quitWhenDestroyed),
      normalImage_(kStartNormalImage),
      hotImage_(kStartHotImage),
      tray_(iconFileBytes(instance)) {
    UINT_PTR id = kFirstTimerId;
    for (const ControlSpec& settings : formControls()) {
        if (settings.type == ControlType::timer) timers_.emplace_back(settings.name, id++);
    }
    loadImages();
}

Win32Form::~Win32Form() {
    if (window_ != nullptr) {
        // Gone with the form: no event reaches handlers that may be gone too.
        events_.setTarget(nullptr);
        DestroyWindow(window_);
    }
    controls_.clear();
    for (HBITMAP image : images_) {
        if (image != nullptr) DeleteObject(image);
    }
}

void Win32Form::loadImages() {
    for (ImageName image : {ImageName::collapseImage, ImageName::collapseHotImage,
                            ImageName::expandImage, ImageName::expandHotImage}) {
        images_[indexOf(image)] =
            static_cast<HBITMAP>(LoadImageW(instance_, MAKEINTRESOURCEW(resourceIdOf(image)),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
}

bool Win32Form::open(FormEvents& events) {
    // One window per form.
    if (window_ != nullptr || !controls_.empty() || !createWindow()) return false;
    createControls();
    events_.setTarget(&events);
    events_.onCreated();
    if (window_ != nullptr) events_.onPositionChanged();
    if (window_ != nullptr) events_.onSizeChanged();
    if (window_ == nullptr) return false;
    passingFocusOn_ = false;
    ShowWindow(window_, SW_SHOW);
    passingFocusOn_ = true;
    if (window_ != nullptr) UpdateWindow(window_);
    return window_ != nullptr;
}

bool Win32Form::createWindow() {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance_, kWindowClass, &windowClass) == FALSE) {
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &Win32Form::windowProc;
        windowClass.hInstance = instance_;
        windowClass.hIcon = LoadIconW(instance_, QM_APP_ICON_NAME);
        windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance_, QM_APP_ICON_NAME, IMAGE_ICON,
                                                            GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), 0));
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.hbrBackground =
            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszClassName = kWindowClass;
        if (RegisterClassExW(&windowClass) == 0) return false;
    }
    // Centred on the screen.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowOuterWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowOuterHeight) / 2;
    CreateWindowExW(0, kWindowClass, wideOf(kWindowCaption).c_str(), kWindowStyle, left, top,
                    kWindowOuterWidth, kWindowOuterHeight, nullptr, nullptr, instance_, this);
    return window_ != nullptr;
}

void Win32Form::createControls() {
    // The group box first: it is the parent of the panel's controls.
    const ControlSpec& panelSettings = controlSpec(ControlName::分组框1);
    auto panel = makeControl(*this, panelSettings);
    panel->create(window_, instance_);
    HWND panelWindow = panel->handle();
    byName_[indexOf(panelSettings.name)] = panel.get();
    controls_.push_back(std::move(panel));

    for (const ControlSpec& settings : formControls()) {
        if (settings.name == ControlName::分组框1) continue;
        auto made = makeControl(*this, settings);
        if (made == nullptr) continue;
        made->create(settings.insideGroupBox ? panelWindow : window_, instance_);
        byName_[indexOf(settings.name)] = made.get();
        controls_.push_back(std::move(made));
    }
    // Below the picture button that lies over its left edge, as the form
    // lists it last.
    SetWindowPos(panelWindow, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    novels_ = static_cast<ListView*>(control(ControlName::超级列表框小说显示));
    chapters_ = static_cast<ListView*>(control(ControlName::超级列表框章节));
    trackbar_ = static_cast<Trackbar*>(control(ControlName::滑块条1));
    picture_ = static_cast<PictureButton*>(control(ControlName::图形按钮1));
    if (picture_ != nullptr)
        picture_->setImages(images_[indexOf(normalImage_)], images_[indexOf(hotImage_)]);
    if (Control* pane = control(ControlName::编辑框1))
        pane->setOwnedFont(createFont(logFontOf(kReadingPaneFont)));
}

Control* Win32Form::control(ControlName name) const {
    const std::size_t index = indexOf(name);
    return index < byName_.size() ? byName_[index] : nullptr;
}

HWND Win32Form::controlHandle(ControlName name) const {
    const Control* found = control(name);
    return found != nullptr ? found->handle() : nullptr;
}

WindowTimer* Win32Form::timer(ControlName name) {
    for (WindowTimer& t : timers_) {
        if (t.name() == name) return &t;
    }
    return nullptr;
}

const WindowTimer* Win32Form::timer(ControlName name) const {
    for (const WindowTimer& t : timers_) {
        if (t.name() == name) return &t;
    }
    return nullptr;
}

// --- The dispatch ---

LRESULT CALLBACK Win32Form::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    // No exception crosses into the system's dispatch.
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Win32Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
        case WM_COMMAND:
            if (lParam == 0) {
                // A menu item (no accelerators exist).
                if (const auto item = menuItemOfCommand(LOWORD(wParam))) {
                    events().onMenuItem(*item);
                    return 0;
                }
                break;
            }
            if (const auto result = reflectToControl(message, wParam, lParam)) return *result;
            break;
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (const auto result = reflectToControl(message, wParam, lParam)) return *result;
            break;
        case WM_MOVE:
            events().onPositionChanged();
            return 0;
        case WM_SIZE:
            events().onSizeChanged();
            return 0;
        case WM_TIMER:
            for (const WindowTimer& t : timers_) {
                if (t.id() != wParam) continue;
                // A tick already queued when the timer stopped raises nothing.
                if (t.period() > 0) events().onTimerTick(t.name());
                return 0;
            }
            break;
        case kTrayMessage:
            if (const int code = TrayIcon::actionCode(lParam); code != 0)
                events().onTrayEvent(code);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) rememberFocus();
            break;
        case WM_SETFOCUS:
            if (passingFocusOn_) passFocusOn();
            return 0;
        case WM_KEYDOWN:
            // The window itself has the focus: no control has it yet.
            if (wParam == VK_ESCAPE) {
                escapePressed();
                return 0;
            }
            if (wParam == VK_TAB) {
                moveFocusOn(-1, GetKeyState(VK_SHIFT) < 0);
                return 0;
            }
            break;
        case WM_DESTROY:
            windowGone();
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Form::windowGone() {
    // The tray icon and the timers go with the window.
    tray_.remove();
    for (WindowTimer& t : timers_) t.stop(window_);
    events_.setTarget(nullptr);
    if (quitWhenDestroyed_) PostQuitMessage(0);
}

FormEvents& Win32Form::events() {
    return events_;
}

// --- Keyboard: Esc, Tab and where the focus goes ---

void Win32Form::escapePressed() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
}

bool Win32Form::canTakeFocus(HWND window) {
    return window != nullptr && IsWindowVisible(window) != FALSE &&
           IsWindowEnabled(window) != FALSE;
}

void Win32Form::tabPressed(ControlName from, bool backwards) {
    const auto at = std::find(kFocusOrder.begin(), kFocusOrder.end(), from);
    moveFocusOn(at == kFocusOrder.end() ? -1 : static_cast<int>(at - kFocusOrder.begin()),
                backwards);
}

void Win32Form::moveFocusOn(int from, bool backwards) {
    // Tab goes through the tab-stop controls in the order the window hands
    // its own focus on; from none, to the first (Shift+Tab: the last).
    const auto count = static_cast<int>(kFocusOrder.size());
    int index = from >= 0 ? from : (backwards ? 0 : -1);
    for (int step = 0; step < count; ++step) {
        index = (index + (backwards ? count - 1 : 1)) % count;
        HWND candidate = controlHandle(kFocusOrder[static_cast<std::size_t>(index)]);
        if (canTakeFocus(candidate)) {
            SetFocus(candidate);
            return;
        }
    }
}

void Win32Form::rememberFocus() {
    HWND focus = GetFocus();
    focusAtDeactivation_ = (focus != nullptr && IsChild(window_, focus) != FALSE) ? focus : nullptr;
}

void Win32Form::passFocusOn() {
    HWND remembered = focusAtDeactivation_;
    focusAtDeactivation_ = nullptr;
    if (canTakeFocus(remembered) && IsChild(window_, remembered) != FALSE) {
        SetFocus(remembered);
        return;
    }
    for (ControlName name : kFocusOrder) {
        HWND candidate = controlHandle(name);
        if (canTakeFocus(candidate)) {
            SetFocus(candidate);
            return;
        }
    }
}

// --- Form: controls ---

bool Win32Form::shown(ControlName name) const {
    const Control* c = control(name);
    return c != nullptr && c->shown();
}

void Win32Form::show(ControlName name, bool shown) {
    if (Control* c = control(name)) c->show(shown);
}

int Win32Form::left(ControlName name) const {
    const Control* c = control(name);
    return c != nullptr ? c->left() : 0;
}
int Win32Form::top(ControlName name) const {
    const Control* c = control(name);
    return c != nullptr ? c->top() : 0;
}
int Win32Form::width(ControlName name) const {
    const Control* c = control(name);
    return c != nullptr ? c->width() : 0;
}
int Win32Form::height(ControlName name) const {
    const Control* c = control(name);
    return c != nullptr ? c->height() : 0;
}
void Win32Form::setLeft(ControlName name, int value) {
    if (Control* c = control(name)) c->setLeft(value);
}
void Win32Form::setTop(ControlName name, int value) {
    if (Control* c = control(name)) c->setTop(value);
}
void Win32Form::setWidth(ControlName name, int value) {
    if (Control* c = control(name)) c->setWidth(value);
}
void Win32Form::setHeight(ControlName name, int value) {
    if (Control* c = control(name)) c->setHeight(value);
}

Text Win32Form::text(ControlName name) const {
    const Control* c = control(name);
    return c != nullptr ? c->text() : Text();
}

void Win32Form::setText(ControlName name, const Text& text) {
    if (Control* c = control(name)) c->setText(text);
}

int Win32Form::textColour(ControlName name) const {
    const Control* c = control(name);
    return c != nullptr ? c->textColour() : kDefaultColour;
}

void Win32Form::setTextColour(ControlName name, int colour) {
    if (Control* c = control(name)) c->setTextColour(colour);
}

int Win32Form::backgroundColour(ControlName name) const {
    const Control* c = control(name);
    return c != nullptr ? c->backgroundColour() : kDefaultColour;
}

void Win32Form::setBackgroundColour(ControlName name, int colour) {
    if (Control* c = control(name)) c->setBackgroundColour(colour);
}

void Win32Form::setFont(ControlName name, const FontSpec& font) {
    if (Control* c = control(name)) c->setOwnedFont(createFont(logFontOf(font)));
}

bool Win32Form::checked(ControlName radio) const {
    const Control* c = control(radio);
    if (c == nullptr || controlSpec(radio).type != ControlType::radioButton) return false;
    return static_cast<const Button*>(c)->checked();
}

void Win32Form::setChecked(ControlName radio, bool checked) {
    Control* c = control(radio);
    if (c == nullptr || controlSpec(radio).type != ControlType::radioButton) return;
    static_cast<Button*>(c)->setChecked(checked);
}

int Win32Form::trackbarPosition() const {
    return trackbar_ != nullptr ? trackbar_->position() : kTrackbarStart;
}

void Win32Form::setTrackbarPosition(int position) {
    if (trackbar_ != nullptr) trackbar_->setPosition(position);
}

int Win32Form::timerPeriod(ControlName name) const {
    const WindowTimer* t = timer(name);
    return t != nullptr ? t->period() : 0;
}

void Win32Form::setTimerPeriod(ControlName name, int periodMs) {
    if (WindowTimer* t = timer(name)) t->setPeriod(window_, periodMs);
}

void Win32Form::setPictureImages(ImageName normal, ImageName hot) {
    normalImage_ = normal;
    hotImage_ = hot;
    if (picture_ != nullptr) picture_->setImages(images_[indexOf(normal)], images_[indexOf(hot)]);
}

TextTable& Win32Form::table(ControlName list) {
    static NoTable none;
    if (list == ControlName::超级列表框小说显示 && novels_ != nullptr) return *novels_;
    if (list == ControlName::超级列表框章节 && chapters_ != nullptr) return *chapters_;
    return none;
}

// --- Form: the window itself ---

Text Win32Form::caption() const {
    return window_ != nullptr ? windowText(window_) : Text();
}

void Win32Form::setCaption(const Text& caption) {
    if (window_ != nullptr) SetWindowTextW(window_, wideOf(caption).c_str());
}

int Win32Form::clientWidth() const {
    RECT client{};
    if (window_ != nullptr) GetClientRect(window_, &client);
    return client.right - client.left;
}

int Win32Form::clientHeight() const {
    RECT client{};
    if (window_ != nullptr) GetClientRect(window_, &client);
    return client.bottom - client.top;
}

int Win32Form::windowState() const {
    if (window_ == nullptr) return kWindowNormal;
    if (IsIconic(window_) != FALSE) return kWindowMinimised;
    if (IsZoomed(window_) != FALSE) return kWindowMaximised;
    return kWindowNormal;
}

void Win32Form::hideWindow() {
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void Win32Form::restoreWindow() {
    if (window_ != nullptr) ShowWindow(window_, SW_RESTORE);
}

void Win32Form::activateWindow() {
    if (window_ != nullptr) SetForegroundWindow(window_);
}

void Win32Form::focusWindow() {
    if (window_ == nullptr) return;
    // Already there, the focus is not received anew: pass it on all the same.
    if (GetFocus() == window_) {
        passFocusOn();
    } else {
        SetFocus(window_);
    }
}

void Win32Form::destroyWindow() {
    // Posted, so the window goes once the running handler has returned.
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace qm::win32
