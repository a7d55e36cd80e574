// The services around the headless window: a tray icon that tests can make
// unavailable, popup menus answered from a script, the pointer position, the
// mode tooltip, and message boxes recorded instead of shown.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "platform/headless/headless_form.h"
#include "reader/form.h"
#include "toolkit/message_box.h"

namespace qm {

class HeadlessServices : public Services {
  public:
    // Records the form's message boxes while it lives. The form must outlive
    // the services.
    explicit HeadlessServices(HeadlessForm& form);
    ~HeadlessServices() override;
    HeadlessServices(const HeadlessServices&) = delete;
    HeadlessServices& operator=(const HeadlessServices&) = delete;

    bool addTrayIcon(const Text& tip) override;
    void updateTrayIcon(const Text& tip) override;
    // Added, and not yet gone with the destroyed window.
    bool trayIconShown() const override;
    // Records the menu and takes the next scripted answer: a chosen item is
    // posted to the form's queue, as the real menu posts its command; with no
    // answer left the menu is cancelled.
    void popupMenu(MenuName menu, ScreenPoint topLeft) override;
    ScreenPoint cursorPosition() const override { return cursor_; }
    void setModeTooltip(const Text& text) override;

    // --- Test controls ---
    // With no notification area, adding the icon fails.
    void setTrayAvailable(bool available) { trayAvailable_ = available; }
    void setCursorPosition(ScreenPoint point) { cursor_ = point; }
    void answerNextMenu(std::optional<MenuItem> choice) { menuAnswers_.push_back(choice); }

    // --- What tests read ---
    Text trayTip() const { return trayTip_; }
    struct ShownMenu {
        MenuName menu;
        ScreenPoint topLeft;
    };
    const std::vector<ShownMenu>& menusShown() const { return menusShown_; }
    bool modeTooltipCreated() const { return modeTooltipCreated_; }
    Text modeTooltipText() const { return modeTooltipText_; }
    const std::vector<ShownMessage>& messages() const { return messages_; }

  private:
    HeadlessForm& form_;
    bool trayAvailable_ = true;
    bool trayAdded_ = false;
    Text trayTip_;
    ScreenPoint cursor_;
    std::deque<std::optional<MenuItem>> menuAnswers_;
    std::vector<ShownMenu> menusShown_;
    bool modeTooltipCreated_ = false;
    Text modeTooltipText_;
    std::vector<ShownMessage> messages_;
};

}  // namespace qm
