#include "platform/win32/window_timer.h"

namespace qm::win32 {

void WindowTimer::setPeriod(HWND window, int periodMs) {
    const int period = periodMs > 0 ? periodMs : 0;
    if (period == period_) return;
    period_ = period;
    if (window == nullptr) return;
    if (period > 0) {
        SetTimer(window, id_, static_cast<UINT>(period), nullptr);
    } else {
        KillTimer(window, id_);
    }
}

void WindowTimer::stop(HWND window) {
    if (period_ > 0 && window != nullptr) KillTimer(window, id_);
    period_ = 0;
}

}  // namespace qm::win32
