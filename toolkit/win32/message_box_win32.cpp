#include <windows.h>

#include "toolkit/message_box.h"
#include "toolkit/win32/wide_string.h"

namespace qm {

void showPlatformMessage(const Text& text, const Text& title, int flags) {
    // No owner window; task-modal, so every window of the program waits for OK.
    MessageBoxW(nullptr, wideStringOf(text).c_str(), wideStringOf(title).c_str(),
                static_cast<UINT>(flags) | MB_OK | MB_TASKMODAL);
}

std::vector<ShownMessage> takeRecordedMessages() {
    return {};
}

}  // namespace qm
