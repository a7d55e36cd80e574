#include "platform/win32/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <span>
#include <string>

#include "platform/win32/win32_text.h"
#include "reader/form_description.h"
#include "resources/icon_file.h"

namespace qm::win32 {

namespace {

constexpr UINT kIconId = 1;

// A new icon of side x side pixels from the icon file's best image for it;
// nullptr when the bytes hold none.
HICON iconFromFile(std::span<const unsigned char> file, int side) {
    const auto image = pickIconFileImage(file, side);
    if (!image) return nullptr;
    // CreateIconFromResourceEx only reads the bits it is given.
    auto* bits = const_cast<unsigned char*>(file.data() + image->offset);
    return CreateIconFromResourceEx(bits, static_cast<DWORD>(image->size), TRUE, 0x00030000, side,
                                    side, LR_DEFAULTCOLOR);
}

}  // namespace

TrayIcon::~TrayIcon() {
    remove();
}

bool TrayIcon::notify(DWORD action, const Text& tip) {
    HICON fresh = iconFromFile(iconFile_, GetSystemMetrics(SM_CXSMICON));
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_TIP | (fresh != nullptr ? NIF_ICON : 0u);
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = fresh;
    // The tip holds at most 62 bytes of code page 936 text.
    const std::wstring wide = wideOf(leadingBytes(tip, kTrayTipMaxBytes));
    const std::size_t units = std::min(wide.size(), std::size(data.szTip) - 1);
    std::copy_n(wide.data(), units, data.szTip);
    data.szTip[units] = L'\0';
    if (Shell_NotifyIconW(action, &data) == FALSE) {
        if (fresh != nullptr) DestroyIcon(fresh);
        return false;
    }
    tip_ = leadingBytes(tip, kTrayTipMaxBytes);
    if (fresh != nullptr) {
        if (icon_ != nullptr) DestroyIcon(icon_);
        icon_ = fresh;
    }
    return true;
}

bool TrayIcon::add(HWND owner, const Text& tip) {
    owner_ = owner;
    shown_ = notify(NIM_ADD, tip);
    return shown_;
}

void TrayIcon::update(const Text& tip) {
    if (owner_ == nullptr) return;
    // A shell started after the window has no icon to modify.
    if (shown_ && notify(NIM_MODIFY, tip)) return;
    shown_ = notify(NIM_ADD, tip);
}

void TrayIcon::remove() {
    if (shown_) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = owner_;
        data.uID = kIconId;
        Shell_NotifyIconW(NIM_DELETE, &data);
        shown_ = false;
    }
    if (icon_ != nullptr) {
        DestroyIcon(icon_);
        icon_ = nullptr;
    }
    owner_ = nullptr;
}

int TrayIcon::actionCode(LPARAM lParam) {
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            return 1;
        case WM_LBUTTONDBLCLK:
            return 2;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
            return 3;
        default:
            return 0;
    }
}

}  // namespace qm::win32
