#include "platform/win32/win32_services.h"

namespace qm::win32 {

bool Win32Services::addTrayIcon(const Text& tip) {
    return form_.trayIcon().add(form_.handle(), tip);
}

void Win32Services::updateTrayIcon(const Text& tip) {
    form_.trayIcon().update(tip);
}

bool Win32Services::trayIconShown() const {
    return form_.trayIcon().shown();
}

void Win32Services::popupMenu(MenuName menu, ScreenPoint topLeft) {
    if (!form_.exists()) return;
    form_.menus().popUp(menu, form_.handle(), POINT{topLeft.x, topLeft.y});
}

ScreenPoint Win32Services::cursorPosition() const {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

void Win32Services::setModeTooltip(const Text& text) {
    HWND trackbar = form_.controlHandle(ControlName::滑块条1);
    if (!form_.exists() || trackbar == nullptr) return;
    form_.modeTooltip().setText(form_.handle(), trackbar, text);
}

}  // namespace qm::win32
