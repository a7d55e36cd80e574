// The services around the real window: its tray icon, popup menus, the
// mouse pointer and the mode tooltip.
#pragma once

#include "platform/win32/win32_form.h"
#include "reader/form.h"

namespace qm::win32 {

class Win32Services : public Services {
  public:
    // The form must outlive the services.
    explicit Win32Services(Win32Form& form) : form_(form) {}

    bool addTrayIcon(const Text& tip) override;
    void updateTrayIcon(const Text& tip) override;
    bool trayIconShown() const override;
    void popupMenu(MenuName menu, ScreenPoint topLeft) override;
    ScreenPoint cursorPosition() const override;
    void setModeTooltip(const Text& text) override;

  private:
    Win32Form& form_;
};

}  // namespace qm::win32
