#include "platform/win32/button.h"

namespace qm::win32 {

WindowKind Button::windowKind() const {
    if (settings().type == ControlType::radioButton) {
        // One exclusive group: the first created of the two opens it; the
        // other controls of the group box are no radio buttons.
        const DWORD group = settings().name == ControlName::单选框one ? 0 : WS_GROUP;
        return {L"BUTTON", BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER | group, 0};
    }
    // Not a default button: Enter does nothing in the window.
    return {L"BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
}

void Button::configure() {
    if (settings().type == ControlType::radioButton) setChecked(settings().checked);
}

bool Button::checked() const {
    return SendMessageW(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Button::setChecked(bool checked) {
    SendMessageW(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<LRESULT> Button::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        if (HIWORD(wParam) == BN_CLICKED) {
            host().events().onClicked(name());
            return 0;
        }
        return std::nullopt;
    }
    return Control::reflected(message, wParam, lParam);
}

}  // namespace qm::win32
