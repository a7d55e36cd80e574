#include "platform/win32/popup_menus.h"

#include "platform/win32/win32_text.h"
#include "reader/form_description.h"

namespace qm::win32 {

namespace {

constexpr UINT kFirstCommandId = 1000;
constexpr int kMenuItemCount = static_cast<int>(MenuItem::设置文本框背景色) + 1;

std::size_t indexOf(MenuName menu) {
    return menu == MenuName::菜单 ? 0 : 1;
}

}  // namespace

UINT commandIdOf(MenuItem item) {
    return kFirstCommandId + static_cast<UINT>(item);
}

std::optional<MenuItem> menuItemOfCommand(UINT id) {
    if (id < kFirstCommandId || id >= kFirstCommandId + kMenuItemCount) return std::nullopt;
    return static_cast<MenuItem>(id - kFirstCommandId);
}

PopupMenus::PopupMenus() {
    for (MenuName menu : {MenuName::菜单, MenuName::转章节}) {
        HMENU popup = CreatePopupMenu();
        for (const MenuEntry& entry : menuEntries(menu)) {
            if (entry.separator) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            } else {
                AppendMenuW(popup, MF_STRING, commandIdOf(entry.item), wideOf(entry.text).c_str());
            }
        }
        menus_[indexOf(menu)] = popup;
    }
}

PopupMenus::~PopupMenus() {
    for (HMENU menu : menus_) {
        if (menu != nullptr) DestroyMenu(menu);
    }
}

HMENU PopupMenus::handle(MenuName menu) const {
    return menus_[indexOf(menu)];
}

void PopupMenus::popUp(MenuName menu, HWND owner, POINT topLeft) const {
    // A menu popped up for the tray closes on a click elsewhere only when
    // its owner is the foreground window; the posted message lets it close
    // on the first such click.
    SetForegroundWindow(owner);
    TrackPopupMenu(handle(menu), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, topLeft.x,
                   topLeft.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace qm::win32
