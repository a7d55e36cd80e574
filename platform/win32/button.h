// Push button and radio buttons: clicked.
#pragma once

#include "platform/win32/control.h"

namespace qm::win32 {

class Button : public Control {
  public:
    using Control::Control;
    std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool checked() const;
    void setChecked(bool checked);

  protected:
    WindowKind windowKind() const override;
    void configure() override;
};

}  // namespace qm::win32
