// The system's message boxes: no owner, task-modal, one OK button.
#pragma once

#include <functional>
#include <vector>

#include "toolkit/text.h"

namespace qm {

constexpr int kIconStop = 16;
constexpr int kIconInformation = 64;

// Shows the box and waits for OK. A handler, once set, takes the place of the
// platform's box: on Win32 a real MessageBoxW, in the native build a record
// (see takeRecordedMessages) and a line on stderr.
void showMessage(const Text& text, const Text& title, int flags);

// An empty handler gives the platform's box back.
using MessageHandler = std::function<void(const Text& text, const Text& title, int flags)>;
void setMessageHandler(MessageHandler handler);

// The platform's box itself, whatever handler is set.
void showPlatformMessage(const Text& text, const Text& title, int flags);

struct ShownMessage {
    Text text;
    Text title;
    int flags = 0;
};

// The boxes the native platform box has recorded since the last call, oldest
// first; the list is emptied. Win32 shows real boxes and records none.
std::vector<ShownMessage> takeRecordedMessages();

}  // namespace qm
