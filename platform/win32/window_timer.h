// 时钟1 and 时钟2: a timer of the main window. A period above 0 (re)starts
// it, 0 or less stops it, and the period it already has changes nothing (a
// running timer is not restarted). Each expiry arrives as WM_TIMER with the
// timer's id.
#pragma once

#include <windows.h>

#include "reader/form.h"

namespace qm::win32 {

class WindowTimer {
  public:
    WindowTimer(ControlName name, UINT_PTR id) : name_(name), id_(id) {}

    ControlName name() const { return name_; }
    UINT_PTR id() const { return id_; }
    int period() const { return period_; }
    void setPeriod(HWND window, int periodMs);
    // The window is going away: its timers go with it.
    void stop(HWND window);

  private:
    ControlName name_;
    UINT_PTR id_;
    int period_ = 0;
};

}  // namespace qm::win32
