#include "reader/window_logic.h"

#include "reader/form_description.h"

namespace qm {

namespace {

using N = ControlName;

// The reading pane sits 2 pixels right of the panel when it is shown.
constexpr int kPaneGap = 2;

}  // namespace

WindowLogic::WindowLogic(Form& form, Services& services) : form_(form), services_(services) {}

void WindowLogic::windowCreated() {
    services_.addTrayIcon(kTrayTipStart);
    form_.focusWindow();
    form_.setTextColour(N::编辑框搜索, kPlaceholderColour);
    form_.setText(N::编辑框搜索, kPlaceholderText);
}

void WindowLogic::positionChanged() {
    if (form_.windowState() != kWindowMinimised) return;
    updateTrayTip();
    // Hidden, a window with no tray icon could never be brought back; without
    // the icon it stays minimised on the taskbar instead.
    if (services_.trayIconShown()) form_.hideWindow();
}

void WindowLogic::layoutWindow() {
    const int height = form_.clientHeight();
    fitReadingPaneWidth();
    form_.setHeight(N::编辑框1, height - 8);
    form_.setHeight(N::分组框1, height - 2);
    form_.setHeight(N::超级列表框小说显示, height - 85);
    form_.setTop(N::滑块条1, height - 30);
    form_.setHeight(N::超级列表框章节, height - 85);
}

void WindowLogic::trayEvent(int code) {
    if (code == 1) {
        if (form_.windowState() == kWindowMinimised) {
            form_.restoreWindow();
        } else {
            form_.activateWindow();
        }
        updateTrayTip();
    } else if (code == 3) {
        const ScreenPoint pointer = services_.cursorPosition();
        services_.popupMenu(MenuName::菜单,
                            {pointer.x + kTrayMenuOffset, pointer.y + kTrayMenuOffset});
        updateTrayTip();
    }
}

void WindowLogic::exitCommand() {
    form_.destroyWindow();
}

void WindowLogic::applyPanelMode() {
    // The position is read twice, as handlers running in between may move it.
    if (form_.trackbarPosition() == kSearchMode) {
        for (N control :
             {N::编辑框搜索, N::按钮搜索, N::超级列表框小说显示, N::单选框one, N::单选框two}) {
            form_.show(control, true);
        }
        services_.setModeTooltip(kSearchModeTip);
    } else {
        for (N control : {N::编辑框搜索, N::按钮搜索, N::超级列表框小说显示}) {
            form_.show(control, false);
        }
    }
    if (form_.trackbarPosition() == kChaptersMode) {
        form_.show(N::超级列表框章节, true);
        form_.show(N::标签小说, true);
        form_.show(N::单选框one, false);
        form_.show(N::单选框two, false);
        services_.setModeTooltip(kChaptersModeTip);
    } else {
        form_.show(N::超级列表框章节, false);
        form_.show(N::标签小说, false);
    }
}

void WindowLogic::togglePanel() {
    const int buttonLeft = form_.left(N::图形按钮1);
    if (buttonLeft == kPanelShownButtonLeft) {
        form_.show(N::分组框1, false);
        form_.setLeft(N::图形按钮1, kPanelCollapsedButtonLeft);
        form_.setPictureImages(ImageName::expandImage, ImageName::expandHotImage);
        form_.setLeft(N::编辑框1, kPaneGap);
        fitReadingPaneWidth();
    } else if (buttonLeft == kPanelCollapsedButtonLeft) {
        form_.show(N::分组框1, true);
        form_.setLeft(N::图形按钮1, kPanelShownButtonLeft);
        form_.setPictureImages(ImageName::collapseImage, ImageName::collapseHotImage);
        form_.setLeft(N::编辑框1, form_.width(N::分组框1) + kPaneGap);
        fitReadingPaneWidth();
    }
}

void WindowLogic::searchBoxGotFocus() {
    if (form_.text(N::编辑框搜索) != kPlaceholderText) return;
    form_.setText(N::编辑框搜索, Text());
    form_.setTextColour(N::编辑框搜索, kTypedTextColour);
}

void WindowLogic::searchBoxLostFocus() {
    if (!form_.text(N::编辑框搜索).empty()) return;
    form_.setTextColour(N::编辑框搜索, kPlaceholderColour);
    form_.setText(N::编辑框搜索, kPlaceholderText);
}

void WindowLogic::updateTrayTip() {
    services_.updateTrayIcon(kTrayTip);
}

// The pane's right edge stays 2 pixels inside the client area, wherever its
// left edge is.
void WindowLogic::fitReadingPaneWidth() {
    form_.setWidth(N::编辑框1, form_.clientWidth() - form_.left(N::编辑框1) - kPaneGap);
}

}  // namespace qm
