// 图形按钮1: a button drawn by the program from two strips, the normal one
// and the hot one shown while the mouse pointer is over it. Clicked on a
// left-button click. It never takes the keyboard focus.
#pragma once

#include "platform/win32/control.h"

namespace qm::win32 {

class PictureButton : public Control {
  public:
    using Control::Control;
    std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The bitmaps stay the caller's.
    void setImages(HBITMAP normal, HBITMAP hot);
    bool hot() const { return hot_; }

  protected:
    WindowKind windowKind() const override;
    std::optional<LRESULT> ownMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void draw(const DRAWITEMSTRUCT& item) const;
    void setHot(bool hot);

    HBITMAP normal_ = nullptr;
    HBITMAP hotImage_ = nullptr;
    bool hot_ = false;
};

}  // namespace qm::win32
