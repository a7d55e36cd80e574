#include "platform/win32/label.h"

#include <string>

#include "platform/win32/win32_text.h"

namespace qm::win32 {

WindowKind Label::windowKind() const {
    // A plain static centres only single lines vertically; drawing it
    // ourselves centres the wrapped block.
    return {L"STATIC", SS_OWNERDRAW, 0};
}

void Label::setText(const Text& text) {
    Control::setText(text);
    InvalidateRect(handle(), nullptr, TRUE);
}

std::optional<LRESULT> Label::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return Control::reflected(message, wParam, lParam);
}

void Label::draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, backgroundBrush());
    const std::wstring caption = wideOf(text());
    if (caption.empty()) return;
    HGDIOBJ oldFont = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRefOf(textColour(), COLOR_BTNTEXT));
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT measured = area;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              kFormat | DT_CALCRECT);
    const int spare = (area.bottom - area.top) - (measured.bottom - measured.top);
    if (spare > 0) area.top += spare / 2;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, kFormat);
    SelectObject(dc, oldFont);
}

}  // namespace qm::win32
