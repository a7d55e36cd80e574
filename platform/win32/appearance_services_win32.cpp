#include "platform/win32/appearance_services_win32.h"

#include <algorithm>
#include <utility>

#include "platform/win32/font_dialog.h"
#include "platform/win32/input_box.h"

namespace qm::win32 {

Win32AppearanceServices::Win32AppearanceServices(std::function<HWND()> mainWindow)
    : mainWindow_(std::move(mainWindow)) {}

HWND Win32AppearanceServices::mainWindow() const {
    HWND window = mainWindow_ ? mainWindow_() : nullptr;
    return window != nullptr && IsWindow(window) != FALSE ? window : nullptr;
}

std::optional<Text> Win32AppearanceServices::inputBox(const Text& prompt, const Text& title,
                                                      const Text& initialText, bool wholeNumber) {
    return showInputBox(mainWindow(), prompt, title, initialText, wholeNumber);
}

bool Win32AppearanceServices::fontDialog(FontDialogValues& values) {
    return showFontDialog(mainWindow(), values, fontColour_);
}

std::optional<PixelColour> Win32AppearanceServices::pixelUnderPointer() const {
    POINT pointer{};
    if (GetCursorPos(&pointer) == FALSE) return std::nullopt;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return std::nullopt;
    const COLORREF colour = GetPixel(screen, pointer.x, pointer.y);
    ReleaseDC(nullptr, screen);
    if (colour == CLR_INVALID) return std::nullopt;
    return PixelColour{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

void Win32AppearanceServices::setWindowOpacity(int alpha) {
    HWND window = mainWindow();
    if (window == nullptr) return;
    const LONG_PTR extended = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if ((extended & WS_EX_LAYERED) == 0)
        SetWindowLongPtrW(window, GWL_EXSTYLE, extended | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), LWA_ALPHA);
}

}  // namespace qm::win32
