#include "platform/win32/group_box.h"

#include "platform/win32/reflection.h"

namespace qm::win32 {

WindowKind GroupBox::windowKind() const {
    // Clipping its children keeps the frame from painting over them.
    return {L"BUTTON", BS_GROUPBOX | BS_CENTER | WS_CLIPCHILDREN, 0};
}

std::optional<LRESULT> GroupBox::ownMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return reflectToControl(message, wParam, lParam);
        case WM_ERASEBKGND: {
            // A control hidden inside the panel leaves the panel's own colour behind.
            RECT client{};
            GetClientRect(handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, backgroundBrush());
            return 1;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace qm::win32
