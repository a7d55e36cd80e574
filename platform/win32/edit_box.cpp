#include "platform/win32/edit_box.h"

#include <windowsx.h>

namespace qm::win32 {

WindowKind EditBox::windowKind() const {
    // The selection is hidden without the focus: no ES_NOHIDESEL.
    DWORD style = settings().centred ? ES_CENTER : ES_LEFT;
    if (settings().multiLine) {
        // No horizontal scroll bar, so lines wrap at the pane's width.
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (settings().readOnly) style |= ES_READONLY;
    return {L"EDIT", style, 0};
}

void EditBox::configure() {
    // No length limit (0 lifts the default one).
    SendMessageW(handle(), EM_SETLIMITTEXT, 0, 0);
}

std::optional<LRESULT> EditBox::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        switch (HIWORD(wParam)) {
            case EN_SETFOCUS:
                host().events().onGotFocus(name());
                return 0;
            case EN_KILLFOCUS:
                host().events().onLostFocus(name());
                return 0;
            default:
                return std::nullopt;
        }
    }
    return Control::reflected(message, wParam, lParam);
}

std::optional<LRESULT> EditBox::ownMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RBUTTONDOWN) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(handle(), &point);
        int modifiers = 0;
        if ((wParam & MK_CONTROL) != 0) modifiers |= 1;
        if ((wParam & MK_SHIFT) != 0) modifiers |= 2;
        if (GetKeyState(VK_MENU) < 0) modifiers |= 4;
        host().events().onRightButtonDown(name(), ScreenPoint{point.x, point.y}, modifiers);
        // Not consumed: the edit box handles the press as usual afterwards.
    }
    return std::nullopt;
}

}  // namespace qm::win32
