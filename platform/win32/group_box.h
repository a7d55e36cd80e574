// 分组框1, the left panel: a group box that is also the parent of the
// panel's controls, so it hands their notifications back to them.
#pragma once

#include "platform/win32/control.h"

namespace qm::win32 {

class GroupBox : public Control {
  public:
    using Control::Control;

  protected:
    WindowKind windowKind() const override;
    std::optional<LRESULT> ownMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qm::win32
