#include "platform/win32/list_view.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/win32_text.h"

namespace qm::win32 {

namespace {

constexpr UINT kSyncRowCount = WM_APP + 20;

// A shown list view redraws itself at once for each change of its count or
// scroll position, and under Wine each redraw takes milliseconds. While this
// lives the list only collects what to draw, and draws it once, at its next
// paint. A hidden list is left alone: turning redraw back on would show it.
class DrawingDeferred {
  public:
    explicit DrawingDeferred(HWND list)
        : list_((GetWindowLongPtrW(list, GWL_STYLE) & WS_VISIBLE) != 0 ? list : nullptr) {
        if (list_ != nullptr) SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    }
    ~DrawingDeferred() {
        if (list_ == nullptr) return;
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    DrawingDeferred(const DrawingDeferred&) = delete;
    DrawingDeferred& operator=(const DrawingDeferred&) = delete;

  private:
    HWND list_;
};

}  // namespace

ListView::ListView(ControlHost& host, const ControlSpec& settings)
    : Control(host, settings), columns_(listColumns(settings.name)) {}

WindowKind ListView::windowKind() const {
    return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA, 0};
}

void ListView::configure() {
    const DWORD extended =
        LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES;
    SendMessageW(handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        std::wstring title = wideOf(columns_[i].title);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns_[i].width;
        column.pszText = title.data();
        column.iSubItem = static_cast<int>(i);
        SendMessageW(handle(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    applyColours();
}

void ListView::applyColours() {
    const COLORREF background = backgroundColorRef();
    SendMessageW(handle(), LVM_SETTEXTCOLOR, 0, colorRefOf(textColour(), COLOR_WINDOWTEXT));
    SendMessageW(handle(), LVM_SETTEXTBKCOLOR, 0, background);
    SendMessageW(handle(), LVM_SETBKCOLOR, 0, background);
    InvalidateRect(handle(), nullptr, TRUE);
}

void ListView::setTextColour(int colour) {
    Control::setTextColour(colour);
    applyColours();
}

void ListView::setBackgroundColour(int colour) {
    Control::setBackgroundColour(colour);
    applyColours();
}

int ListView::columnCount() const {
    return static_cast<int>(columns_.size());
}

int ListView::rowCount() const {
    return static_cast<int>(rows_.size());
}

bool ListView::hasCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

void ListView::syncRowCount() {
    if (rowsInList_ == rows_.size()) return;
    rowsInList_ = rows_.size();
    const DrawingDeferred deferred(handle());
    // The view stays where it is.
    SendMessageW(handle(), LVM_SETITEMCOUNT, rowsInList_, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void ListView::scheduleSync() {
    // One count change for a whole fill: the posted message comes before
    // the list next paints.
    if (syncPosted_ || handle() == nullptr) return;
    syncPosted_ = PostMessageW(handle(), kSyncRowCount, 0, 0) != FALSE;
    if (!syncPosted_) syncRowCount();
}

std::optional<LRESULT> ListView::ownMessage(UINT message, WPARAM, LPARAM) {
    if (message != kSyncRowCount) return std::nullopt;
    syncPosted_ = false;
    syncRowCount();
    return 0;
}

int ListView::appendRow() {
    rows_.emplace_back(columns_.size());
    scheduleSync();
    return rowCount() - 1;
}

void ListView::removeRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    syncRowCount();
    rows_.erase(rows_.begin() + row);
    // The list moves the selection and focus of later rows up with them.
    SendMessageW(handle(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    rowsInList_ = rows_.size();
}

void ListView::clear() {
    rows_.clear();
    SendMessageW(handle(), LVM_DELETEALLITEMS, 0, 0);
    rowsInList_ = 0;
}

Text ListView::cell(int row, int column) const {
    if (!hasCell(row, column)) return {};
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ListView::setCell(int row, int column, const Text& value) {
    if (!hasCell(row, column)) return;
    // A list cell ends at a zero byte, as any window text does.
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
        value.substr(0, std::strlen(value.c_str()));
    // A row the list has not been told of yet is drawn when it is.
    if (static_cast<std::size_t>(row) < rowsInList_) {
        SendMessageW(handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    }
}

int ListView::currentRow() const {
    return static_cast<int>(
        SendMessageW(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::setCurrentRow(int row) {
    if (row >= rowCount()) return;
    syncRowCount();
    // Item changes sent from here are no event of the form: only a click is.
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageW(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
    if (row < 0) return;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    SendMessageW(handle(), LVM_SETSELECTIONMARK, 0, row);
}

void ListView::makeRowVisible(int row) {
    if (row < 0 || row >= rowCount()) return;
    syncRowCount();
    SendMessageW(handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ListView::answerDisplayInfo(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
    const std::wstring text = wideOf(cell(item.iItem, item.iSubItem));
    const std::size_t units =
        std::min<std::size_t>(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    std::copy_n(text.data(), units, item.pszText);
    item.pszText[units] = L'\0';
}

std::optional<LRESULT> ListView::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NOTIFY) return Control::reflected(message, wParam, lParam);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
        case LVN_GETDISPINFOW:
            answerDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
            return 0;
        case NM_CLICK: {
            // The list has already moved the selection. A click on empty
            // space leaves no row selected.
            const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
            if (click->iItem < 0) setCurrentRow(-1);
            host().events().onClicked(name());
            return 0;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace qm::win32
