// The tray icon of the main window, made anew from the icon file's bytes at
// every add and update. Its mouse actions come back to the window as
// kTrayMessage with the mouse message in lParam.
#pragma once

#include <windows.h>

#include <span>

#include "toolkit/text.h"

namespace qm::win32 {

constexpr UINT kTrayMessage = WM_APP + 1;

class TrayIcon {
  public:
    // The icon file's bytes must outlive the tray icon.
    explicit TrayIcon(std::span<const unsigned char> iconFile) : iconFile_(iconFile) {}
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // False where the shell has no notification area to take it.
    bool add(HWND owner, const Text& tip);
    // Replaces image and tip; an icon that is not in the tray is added.
    void update(const Text& tip);
    void remove();
    bool shown() const { return shown_; }
    // The tip and the image as the tray last took them.
    const Text& tip() const { return tip_; }
    HICON icon() const { return icon_; }

    // The tray action code (1, 2, 3) of a callback, or 0 for none.
    static int actionCode(LPARAM lParam);

  private:
    bool notify(DWORD action, const Text& tip);

    std::span<const unsigned char> iconFile_;
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    bool shown_ = false;
    Text tip_;
};

}  // namespace qm::win32
