// No desktop to show a box on: each box is recorded for the tests to read and
// printed to stderr (code page 936 bytes, as the text is).
#include <iostream>
#include <mutex>
#include <utility>

#include "toolkit/message_box.h"

namespace qm {

namespace {

std::mutex recordMutex;
std::vector<ShownMessage>& recorded() {
    static std::vector<ShownMessage> messages;
    return messages;
}

}  // namespace

void showPlatformMessage(const Text& text, const Text& title, int flags) {
    std::cerr << "[message box " << flags << "] " << title << ": " << text << std::endl;
    const std::lock_guard<std::mutex> lock(recordMutex);
    recorded().push_back({text, title, flags});
}

std::vector<ShownMessage> takeRecordedMessages() {
    const std::lock_guard<std::mutex> lock(recordMutex);
    return std::exchange(recorded(), {});
}

}  // namespace qm
