// The two hidden top-level menus, "菜单" and "转章节", built from the form's
// description and popped up on their own. A chosen item comes back to the
// owner as WM_COMMAND with the item's command id.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "reader/form.h"

namespace qm::win32 {

UINT commandIdOf(MenuItem item);
std::optional<MenuItem> menuItemOfCommand(UINT id);

class PopupMenus {
  public:
    PopupMenus();
    ~PopupMenus();
    PopupMenus(const PopupMenus&) = delete;
    PopupMenus& operator=(const PopupMenus&) = delete;

    // Modal until the menu closes; answers to the right button too.
    void popUp(MenuName menu, HWND owner, POINT topLeft) const;
    HMENU handle(MenuName menu) const;

  private:
    std::array<HMENU, 2> menus_{};
};

}  // namespace qm::win32
