// Which handler runs for each event the form raises. Only the events listed
// in form_bindings.cpp have handlers; every other event does nothing.
#pragma once

#include <functional>

#include "reader/commands.h"
#include "reader/form.h"
#include "reader/window_logic.h"

namespace qm {

// The appearance and help commands (usage and contact boxes, font, opacity,
// the background colour help, the reading pane's menu and colour picking)
// plug in here. An empty slot does nothing.
struct AppearanceHandlers {
    std::function<void()> usageCommand;           // "使用方法"
    std::function<void()> contactCommand;         // "关于软件"
    std::function<void()> fontCommand;            // "改变字体及大小"
    std::function<void()> transparencyCommand;    // "设置透明度"
    std::function<void()> backgroundHelpCommand;  // "设置文本框背景色"
    std::function<void(ScreenPoint point, int modifiers)> readingPaneMenu;  // 编辑框1 right button
    std::function<void()> colourPickTick;                                   // 时钟2
};

class FormBindings : public FormEvents {
  public:
    // Both must outlive the bindings.
    FormBindings(WindowLogic& window, ReaderCommands& commands);

    void setAppearanceHandlers(AppearanceHandlers handlers);

    void onCreated() override;
    void onPositionChanged() override;
    void onSizeChanged() override;
    void onTrayEvent(int code) override;
    void onTrackbarMoved() override;
    void onTimerTick(ControlName timer) override;
    void onClicked(ControlName control) override;
    void onGotFocus(ControlName control) override;
    void onLostFocus(ControlName control) override;
    void onKeyPressed(ControlName control, int keyCode, int modifiers) override;
    void onRightButtonDown(ControlName control, ScreenPoint point, int modifiers) override;
    void onMenuItem(MenuItem item) override;

  private:
    WindowLogic& window_;
    ReaderCommands& commands_;
    AppearanceHandlers appearance_;
};

}  // namespace qm
