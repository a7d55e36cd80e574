#include "platform/headless/headless_services.h"

#include <string>

#include "reader/form_description.h"

namespace qm {

HeadlessServices::HeadlessServices(HeadlessForm& form) : form_(form) {
    setMessageHandler([this](const Text& text, const Text& title, int flags) {
        form_.record("message " + title + " " + text);
        messages_.push_back({text, title, flags});
    });
}

HeadlessServices::~HeadlessServices() {
    setMessageHandler(nullptr);
}

bool HeadlessServices::addTrayIcon(const Text& tip) {
    form_.record("addTrayIcon " + tip);
    if (!trayAvailable_) return false;
    trayAdded_ = true;
    trayTip_ = tip.substr(0, kTrayTipMaxBytes);
    return true;
}

void HeadlessServices::updateTrayIcon(const Text& tip) {
    form_.record("updateTrayIcon " + tip);
    if (trayIconShown()) trayTip_ = tip.substr(0, kTrayTipMaxBytes);
}

bool HeadlessServices::trayIconShown() const {
    return trayAdded_ && !form_.destroyed();
}

void HeadlessServices::popupMenu(MenuName menu, ScreenPoint topLeft) {
    form_.record("popupMenu " + menuTitle(menu) + " " + std::to_string(topLeft.x) + " " +
                 std::to_string(topLeft.y));
    menusShown_.push_back({menu, topLeft});
    std::optional<MenuItem> choice;
    if (!menuAnswers_.empty()) {
        choice = menuAnswers_.front();
        menuAnswers_.pop_front();
    }
    if (choice) {
        const MenuItem item = *choice;
        HeadlessForm* const form = &form_;
        form_.post([form, item] { form->chooseMenuItem(item); });
    }
}

void HeadlessServices::setModeTooltip(const Text& text) {
    form_.record("setModeTooltip " + text);
    modeTooltipCreated_ = true;
    modeTooltipText_ = text;
}

}  // namespace qm
