// 滑块条1: the panel-mode trackbar. Raises position changed for every scroll
// notification of a user's move except the end of tracking; a position set
// by the program (TBM_SETPOS) sends no notification at all.
#pragma once

#include "platform/win32/control.h"

namespace qm::win32 {

class Trackbar : public Control {
  public:
    using Control::Control;
    std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;

    int position() const;
    void setPosition(int position);

  protected:
    WindowKind windowKind() const override;
    void configure() override;
};

}  // namespace qm::win32
