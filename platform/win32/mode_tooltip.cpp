#include "platform/win32/mode_tooltip.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/win32_text.h"

namespace qm::win32 {

namespace {

// The size every version of the common controls accepts.
TOOLINFOW toolOf(HWND trackbar) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_CENTERTIP;
    tool.hwnd = GetParent(trackbar);
    tool.uId = reinterpret_cast<UINT_PTR>(trackbar);
    return tool;
}

}  // namespace

ModeTooltip::~ModeTooltip() {
    if (tooltip_ != nullptr && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

void ModeTooltip::setText(HWND owner, HWND trackbar, const Text& text) {
    if (tooltip_ == nullptr || !IsWindow(tooltip_)) {
        tooltip_ = CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
        tool_ = nullptr;
        if (tooltip_ == nullptr) return;
    }
    std::wstring wide = wideOf(text);
    TOOLINFOW tool = toolOf(trackbar);
    tool.lpszText = wide.data();
    if (tool_ != trackbar) {
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        tool_ = trackbar;
    } else {
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

Text ModeTooltip::text() const {
    if (tooltip_ == nullptr || tool_ == nullptr) return {};
    wchar_t buffer[256] = {};
    TOOLINFOW tool = toolOf(tool_);
    tool.lpszText = buffer;
    SendMessageW(tooltip_, TTM_GETTEXTW, std::size(buffer), reinterpret_cast<LPARAM>(&tool));
    return textOf(buffer, static_cast<int>(wcslen(buffer)));
}

}  // namespace qm::win32
