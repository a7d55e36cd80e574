#include "platform/win32/reflection.h"

#include "platform/win32/control.h"

namespace qm::win32 {

namespace {

// The control a notification concerns.
HWND concernedWindow(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY:
            return lParam != 0 ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
        case WM_DRAWITEM:
            return lParam != 0 ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem
                               : nullptr;
        default:
            return nullptr;
    }
}

}  // namespace

std::optional<LRESULT> reflectToControl(UINT message, WPARAM wParam, LPARAM lParam) {
    Control* control = Control::ofWindow(concernedWindow(message, wParam, lParam));
    if (control == nullptr) return std::nullopt;
    return control->reflected(message, wParam, lParam);
}

}  // namespace qm::win32
