#include "platform/win32/message_pump.h"

#include <windows.h>

#include "toolkit/event_pump.h"

namespace qm::win32 {

void pumpPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void installMessagePump() {
    setEventPump(&pumpPendingMessages);
}

}  // namespace qm::win32
