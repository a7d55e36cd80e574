// Edit boxes: the search box, the reading pane and the hidden 编辑框2.
// Raises got focus and lost focus, and the right button going down.
#pragma once

#include "platform/win32/control.h"

namespace qm::win32 {

class EditBox : public Control {
  public:
    using Control::Control;
    std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    WindowKind windowKind() const override;
    void configure() override;
    std::optional<LRESULT> ownMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qm::win32
