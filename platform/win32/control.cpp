#include "platform/win32/control.h"

#include <commctrl.h>

#include "platform/win32/win32_text.h"

namespace qm::win32 {

namespace {

constexpr wchar_t kControlProperty[] = L"Quillmere.Control";
constexpr UINT_PTR kSubclassId = 1;

}  // namespace

int modifierMask() {
    int mask = 0;
    if (GetKeyState(VK_CONTROL) < 0) mask |= 1;
    if (GetKeyState(VK_SHIFT) < 0) mask |= 2;
    if (GetKeyState(VK_MENU) < 0) mask |= 4;
    return mask;
}

int reportedKeyCode(WPARAM virtualKey) {
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        return '0' + static_cast<int>(virtualKey - VK_NUMPAD0);
    }
    return static_cast<int>(virtualKey);
}

COLORREF colorRefOf(int colour, int systemDefault) {
    if (colour == kDefaultColour) return GetSysColor(systemDefault);
    return static_cast<COLORREF>(colour) & 0xFFFFFFu;
}

Control::Control(ControlHost& host, const ControlSpec& settings)
    : host_(host),
      settings_(settings),
      textColour_(settings.textColour),
      backgroundColour_(settings.backgroundColour) {}

Control::~Control() {
    if (window_ != nullptr) detach();
    if (brush_ != nullptr) DeleteObject(brush_);
    if (ownedFont_ != nullptr) DeleteObject(ownedFont_);
}

void Control::create(HWND parent, HINSTANCE instance) {
    const WindowKind kind = windowKind();
    // Siblings clip each other so that the one on top (created earlier)
    // wins where they overlap, as the picture button over the collapsed pane.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
    if (settings_.shown) style |= WS_VISIBLE;
    if (settings_.tabStop) style |= WS_TABSTOP;
    DWORD exStyle = kind.exStyle;
    if (settings_.sunkenBorder) exStyle |= WS_EX_CLIENTEDGE;
    window_ = CreateWindowExW(exStyle, kind.className, wideOf(settings_.caption).c_str(), style,
                              settings_.left, settings_.top, settings_.width, settings_.height,
                              parent, nullptr, instance, nullptr);
    if (window_ == nullptr) return;
    SetPropW(window_, kControlProperty, this);
    SetWindowSubclass(window_, &Control::subclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    configure();
}

Control* Control::ofWindow(HWND window) {
    if (window == nullptr) return nullptr;
    return static_cast<Control*>(GetPropW(window, kControlProperty));
}

void Control::detach() {
    RemoveWindowSubclass(window_, &Control::subclassProc, kSubclassId);
    RemovePropW(window_, kControlProperty);
    window_ = nullptr;
}

bool Control::shown() const {
    return window_ != nullptr && (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::show(bool shown) {
    if (window_ != nullptr) ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE);
}

namespace {

RECT rectInParent(HWND window) {
    RECT rect{};
    if (window == nullptr) return rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

int Control::left() const {
    return rectInParent(window_).left;
}
int Control::top() const {
    return rectInParent(window_).top;
}
int Control::width() const {
    const RECT r = rectInParent(window_);
    return r.right - r.left;
}
int Control::height() const {
    const RECT r = rectInParent(window_);
    return r.bottom - r.top;
}

void Control::moveTo(int left, int top, int width, int height) {
    if (window_ == nullptr) return;
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::setLeft(int value) {
    moveTo(clampPosition(value), top(), width(), height());
}
void Control::setTop(int value) {
    moveTo(left(), clampPosition(value), width(), height());
}
void Control::setWidth(int value) {
    moveTo(left(), top(), clampSize(value), height());
}
void Control::setHeight(int value) {
    moveTo(left(), top(), width(), clampSize(value));
}

Text Control::text() const {
    return window_ != nullptr ? windowText(window_) : Text();
}

void Control::setText(const Text& text) {
    if (window_ != nullptr) SetWindowTextW(window_, wideOf(text).c_str());
}

void Control::setTextColour(int colour) {
    textColour_ = colour;
    if (window_ != nullptr) InvalidateRect(window_, nullptr, TRUE);
}

void Control::setBackgroundColour(int colour) {
    backgroundColour_ = colour;
    if (brush_ != nullptr) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (window_ != nullptr) InvalidateRect(window_, nullptr, TRUE);
}

void Control::setOwnedFont(HFONT font) {
    HFONT old = ownedFont_;
    ownedFont_ = font;
    if (window_ != nullptr)
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(this->font()), TRUE);
    if (old != nullptr) DeleteObject(old);
}

HFONT Control::font() const {
    return ownedFont_ != nullptr ? ownedFont_
                                 : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

COLORREF Control::backgroundColorRef() const {
    return colorRefOf(backgroundColour_);
}

HBRUSH Control::backgroundBrush() {
    if (backgroundColour_ == kDefaultColour) return GetSysColorBrush(COLOR_BTNFACE);
    if (brush_ == nullptr) brush_ = CreateSolidBrush(backgroundColorRef());
    return brush_;
}

std::optional<LRESULT> Control::colourReply(HDC dc) {
    if (textColour_ == kDefaultColour && backgroundColour_ == kDefaultColour) return std::nullopt;
    if (textColour_ != kDefaultColour) SetTextColor(dc, colorRefOf(textColour_));
    SetBkColor(dc, backgroundColorRef());
    return reinterpret_cast<LRESULT>(backgroundBrush());
}

std::optional<LRESULT> Control::reflected(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return colourReply(reinterpret_cast<HDC>(wParam));
        default:
            return std::nullopt;
    }
}

std::optional<LRESULT> Control::ownMessage(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

bool Control::keyDown(HWND window, UINT message, WPARAM key) {
    const int modifiers = modifierMask();
    host_.events().onKeyPressed(settings_.name, reportedKeyCode(key), modifiers);
    // The handler may have closed the window (and with it this control).
    if (!IsWindow(window)) return true;
    if (key == VK_ESCAPE) {
        host_.escapePressed();
        return false;
    }
    if (key == VK_TAB && message == WM_KEYDOWN && (modifiers & (1 | 4)) == 0) {
        host_.tabPressed(settings_.name, (modifiers & 2) != 0);
        return true;
    }
    return false;
}

LRESULT Control::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // The event comes first; then the control handles the key as usual.
            if (keyDown(window, message, wParam)) return 0;
            break;
        case WM_CHAR:
            // Tab and Esc belong to the window, not to the text of an edit box.
            if (wParam == VK_TAB || wParam == VK_ESCAPE) return 0;
            break;
        case WM_NCDESTROY: {
            detach();
            return DefSubclassProc(window, message, wParam, lParam);
        }
        default:
            break;
    }
    if (const auto result = ownMessage(message, wParam, lParam)) return *result;
    if (!IsWindow(window)) return 0;
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK Control::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    // No exception crosses into the system's dispatch.
    try {
        return reinterpret_cast<Control*>(self)->handle(window, message, wParam, lParam);
    } catch (...) {
        return IsWindow(window) ? DefSubclassProc(window, message, wParam, lParam) : 0;
    }
}

}  // namespace qm::win32
