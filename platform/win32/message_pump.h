// The window's side of processPendingEvents (toolkit/event_pump.h).
#pragma once

namespace qm::win32 {

// Dispatches every message waiting for this thread's windows. A WM_QUIT
// stays for the program's message loop: it is posted again and the pump stops.
void pumpPendingMessages();

// Installs pumpPendingMessages as the event pump.
void installMessagePump();

}  // namespace qm::win32
