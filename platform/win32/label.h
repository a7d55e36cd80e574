// 标签小说: a static text drawn by the program, centred both ways and
// wrapped at word boundaries.
#pragma once

#include "platform/win32/control.h"

namespace qm::win32 {

class Label : public Control {
  public:
    using Control::Control;
    void setText(const Text& text) override;
    std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    WindowKind windowKind() const override;

  private:
    void draw(const DRAWITEMSTRUCT& item);
};

}  // namespace qm::win32
