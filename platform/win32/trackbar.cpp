#include "platform/win32/trackbar.h"

#include <commctrl.h>

namespace qm::win32 {

WindowKind Trackbar::windowKind() const {
    return {TRACKBAR_CLASSW, TBS_HORZ | TBS_NOTICKS, 0};
}

void Trackbar::configure() {
    SendMessageW(handle(), TBM_SETRANGE, FALSE, MAKELPARAM(kTrackbarMin, kTrackbarMax));
    SendMessageW(handle(), TBM_SETLINESIZE, 0, 1);
    SendMessageW(handle(), TBM_SETPAGESIZE, 0, 1);
    setPosition(kTrackbarStart);
}

int Trackbar::position() const {
    return static_cast<int>(SendMessageW(handle(), TBM_GETPOS, 0, 0));
}

void Trackbar::setPosition(int position) {
    SendMessageW(handle(), TBM_SETPOS, TRUE, position);
}

std::optional<LRESULT> Trackbar::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL) {
        // The trackbar has moved its thumb before it notifies, so the
        // handler reads the new position.
        if (LOWORD(wParam) != TB_ENDTRACK) host().events().onTrackbarMoved();
        return 0;
    }
    return Control::reflected(message, wParam, lParam);
}

}  // namespace qm::win32
