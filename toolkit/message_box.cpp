#include "toolkit/message_box.h"

#include <utility>

namespace qm {

namespace {

MessageHandler& installedHandler() {
    static MessageHandler handler;
    return handler;
}

}  // namespace

void setMessageHandler(MessageHandler handler) {
    installedHandler() = std::move(handler);
}

void showMessage(const Text& text, const Text& title, int flags) {
    // A copy: the handler may replace itself while its box is up.
    const MessageHandler handler = installedHandler();
    if (handler) {
        handler(text, title, flags);
    } else {
        showPlatformMessage(text, title, flags);
    }
}

}  // namespace qm
