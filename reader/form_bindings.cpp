#include "reader/form_bindings.h"

#include <utility>

namespace qm {

namespace {

using N = ControlName;

// Runs a slot that may be empty. A copy, so that a handler which replaces
// the slots while it runs does not destroy itself.
template <typename... Args>
void runSlot(const std::function<void(Args...)>& slot, Args... args) {
    const auto handler = slot;
    if (handler) handler(args...);
}

}  // namespace

FormBindings::FormBindings(WindowLogic& window, ReaderCommands& commands)
    : window_(window), commands_(commands) {
    commands_.setPanelModeStep([this] { window_.applyPanelMode(); });
}

void FormBindings::setAppearanceHandlers(AppearanceHandlers handlers) {
    appearance_ = std::move(handlers);
}

// The main window.
void FormBindings::onCreated() {
    window_.windowCreated();
}
void FormBindings::onPositionChanged() {
    window_.positionChanged();
}
void FormBindings::onSizeChanged() {
    window_.layoutWindow();
}
void FormBindings::onTrayEvent(int code) {
    window_.trayEvent(code);
}

// 滑块条1.
void FormBindings::onTrackbarMoved() {
    window_.applyPanelMode();
}

void FormBindings::onTimerTick(ControlName timer) {
    switch (timer) {
        case N::时钟1:
            window_.applyPanelMode();
            break;
        case N::时钟2:
            runSlot(appearance_.colourPickTick);
            break;
        default:
            break;
    }
}

void FormBindings::onClicked(ControlName control) {
    switch (control) {
        case N::图形按钮1:
            window_.togglePanel();
            break;
        case N::按钮搜索:
            commands_.searchCommand();
            break;
        case N::超级列表框小说显示:
            commands_.openNovel();
            break;
        case N::超级列表框章节:
            commands_.openChapter();
            break;
        default:
            break;
    }
}

void FormBindings::onGotFocus(ControlName control) {
    if (control == N::编辑框搜索) window_.searchBoxGotFocus();
}

void FormBindings::onLostFocus(ControlName control) {
    if (control == N::编辑框搜索) window_.searchBoxLostFocus();
}

void FormBindings::onKeyPressed(ControlName control, int keyCode, int modifiers) {
    switch (control) {
        case N::编辑框搜索:
            commands_.searchBoxKeys(keyCode, modifiers);
            break;
        case N::超级列表框章节:
            commands_.chapterListKeys(keyCode, modifiers);
            break;
        case N::编辑框1:
            commands_.readingPaneKeys(keyCode, modifiers);
            break;
        default:
            break;
    }
}

void FormBindings::onRightButtonDown(ControlName control, ScreenPoint point, int modifiers) {
    if (control == N::编辑框1) runSlot(appearance_.readingPaneMenu, point, modifiers);
}

void FormBindings::onMenuItem(MenuItem item) {
    switch (item) {
        // "菜单"
        case MenuItem::使用方法:
            runSlot(appearance_.usageCommand);
            break;
        case MenuItem::关于软件:
            runSlot(appearance_.contactCommand);
            break;
        case MenuItem::退出:
            window_.exitCommand();
            break;
        // "转章节"
        case MenuItem::上一章:
            commands_.previousChapterCommand();
            break;
        case MenuItem::下一章:
            commands_.nextChapterCommand();
            break;
        case MenuItem::改变字体及大小:
            runSlot(appearance_.fontCommand);
            break;
        case MenuItem::设置透明度:
            runSlot(appearance_.transparencyCommand);
            break;
        case MenuItem::设置文本框背景色:
            runSlot(appearance_.backgroundHelpCommand);
            break;
    }
}

}  // namespace qm
