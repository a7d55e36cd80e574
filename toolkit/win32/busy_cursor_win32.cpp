// The wait cursor while a fetch blocks the window. The window normally puts
// its class cursor back on every WM_SETCURSOR, but no message is processed
// until the fetch has returned, so the wait cursor holds until then.
#include <windows.h>

#include "toolkit/busy_indicator.h"

namespace qm {

namespace {

HCURSOR cursorBeforeBusy = nullptr;

}  // namespace

void beginPlatformBusy() {
    cursorBeforeBusy = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void endPlatformBusy() {
    SetCursor(cursorBeforeBusy);
    cursorBeforeBusy = nullptr;
}

}  // namespace qm
