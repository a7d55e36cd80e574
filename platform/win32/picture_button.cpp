#include "platform/win32/picture_button.h"

#include <algorithm>

namespace qm::win32 {

namespace {

// The strips are 8 pixels wide and the button 6: it shows columns 1 to 6,
// which hold every triangle whole.
constexpr int kFirstShownColumn = 1;

}  // namespace

WindowKind PictureButton::windowKind() const {
    // An owner-drawn static that notifies clicks: unlike a button it takes
    // no focus away from the control that has it.
    return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
}

void PictureButton::setImages(HBITMAP normal, HBITMAP hot) {
    normal_ = normal;
    hotImage_ = hot;
    if (handle() != nullptr) InvalidateRect(handle(), nullptr, FALSE);
}

void PictureButton::setHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    InvalidateRect(handle(), nullptr, FALSE);
}

std::optional<LRESULT> PictureButton::ownMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (!hot_) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle(), 0};
                TrackMouseEvent(&track);
                setHot(true);
            }
            return std::nullopt;
        case WM_MOUSELEAVE:
            setHot(false);
            return std::nullopt;
        case WM_ERASEBKGND:
            return 1;  // the drawing covers the whole button
        default:
            return std::nullopt;
    }
}

std::optional<LRESULT> PictureButton::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND) {
        // The second click of a double click arrives as STN_DBLCLK.
        const WORD code = HIWORD(wParam);
        if (code == STN_CLICKED || code == STN_DBLCLK) {
            host().events().onClicked(name());
            return 0;
        }
        return std::nullopt;
    }
    return Control::reflected(message, wParam, lParam);
}

void PictureButton::draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    HBITMAP image = hot_ ? hotImage_ : normal_;
    if (image == nullptr) return;
    BITMAP info{};
    GetObjectW(image, sizeof(info), &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, image);
    const int width = std::min<int>(area.right - area.left, info.bmWidth - kFirstShownColumn);
    const int height = std::min<int>(area.bottom - area.top, info.bmHeight);
    BitBlt(dc, area.left, area.top, width, height, source, kFirstShownColumn, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace qm::win32
