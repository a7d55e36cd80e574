// The main window as the reader's logic sees it: named controls, the window's
// own state, the services around it, and the events it raises. Realised by
// platform/win32 (the real window) and platform/headless (tests).
#pragma once

#include "sources/reader_state.h"
#include "toolkit/text.h"

namespace qm {

// The controls, by their form names.
enum class ControlName {
    通用对话框1,
    单选框two,
    单选框one,
    时钟2,
    编辑框2,
    时钟1,
    标签小说,
    超级列表框章节,
    图形按钮1,
    编辑框1,
    超级列表框小说显示,
    滑块条1,
    按钮搜索,
    编辑框搜索,
    分组框1,
};

enum class ImageName { collapseImage, collapseHotImage, expandImage, expandHotImage };

enum class MenuName { 菜单, 转章节 };

enum class MenuItem {
    使用方法,
    关于软件,
    退出,
    上一章,
    下一章,
    改变字体及大小,
    设置透明度,
    设置文本框背景色
};

struct FontSpec {
    int angle = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int size = 0;  // points
    Text name;
};

// Window position states.
constexpr int kWindowNormal = 0;
constexpr int kWindowMinimised = 2;
constexpr int kWindowMaximised = 3;

// The window and its controls. Setting a value raises no event. Left and top
// clamp to -32627..32627; width and height turn negatives into 0 and clamp at
// 32627 (see clampPosition / clampSize in form_description.h).
class Form {
  public:
    virtual ~Form() = default;

    // A control's own shown flag (a control inside a hidden group box keeps it).
    virtual bool shown(ControlName control) const = 0;
    virtual void show(ControlName control, bool shown) = 0;

    virtual int left(ControlName control) const = 0;
    virtual int top(ControlName control) const = 0;
    virtual int width(ControlName control) const = 0;
    virtual int height(ControlName control) const = 0;
    virtual void setLeft(ControlName control, int value) = 0;
    virtual void setTop(ControlName control, int value) = 0;
    virtual void setWidth(ControlName control, int value) = 0;
    virtual void setHeight(ControlName control, int value) = 0;

    virtual Text text(ControlName control) const = 0;
    virtual void setText(ControlName control, const Text& text) = 0;
    virtual int textColour(ControlName control) const = 0;
    virtual void setTextColour(ControlName control, int colour) = 0;
    virtual int backgroundColour(ControlName control) const = 0;
    virtual void setBackgroundColour(ControlName control, int colour) = 0;
    virtual void setFont(ControlName control, const FontSpec& font) = 0;

    virtual bool checked(ControlName radio) const = 0;
    virtual void setChecked(ControlName radio, bool checked) = 0;

    virtual int trackbarPosition() const = 0;  // 滑块条1
    virtual void setTrackbarPosition(int position) = 0;

    // Period in ms, 0 = stopped; setting the period it has changes nothing.
    virtual int timerPeriod(ControlName timer) const = 0;
    virtual void setTimerPeriod(ControlName timer, int periodMs) = 0;

    virtual void setPictureImages(ImageName normal, ImageName hot) = 0;  // 图形按钮1

    // 超级列表框小说显示 (NovelTable) and 超级列表框章节 (ChapterTable).
    virtual TextTable& table(ControlName list) = 0;

    // The main window itself.
    virtual Text caption() const = 0;
    virtual void setCaption(const Text& caption) = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    virtual int windowState() const = 0;  // kWindowNormal / kWindowMinimised / kWindowMaximised
    virtual void hideWindow() = 0;
    virtual void restoreWindow() = 0;  // SW_RESTORE: also shows and activates
    virtual void activateWindow() = 0;
    virtual void focusWindow() = 0;    // keyboard focus to the window itself
    virtual void destroyWindow() = 0;  // takes effect after the running handler returns
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// What the window logic needs around the window. Message boxes go through
// toolkit/message_box.h and event processing through toolkit/event_pump.h.
class Services {
  public:
    virtual ~Services() = default;

    // The tray icon (made from appIcon). add gives false where no tray exists.
    virtual bool addTrayIcon(const Text& tip) = 0;
    virtual void updateTrayIcon(const Text& tip) = 0;
    virtual bool trayIconShown() const = 0;

    // Pops up a menu owned by the main window with its top-left corner at the
    // point, answering to the right button too; returns once it has closed.
    // A chosen item is delivered as FormEvents::onMenuItem.
    virtual void popupMenu(MenuName menu, ScreenPoint topLeft) = 0;
    virtual ScreenPoint cursorPosition() const = 0;

    // modeTooltip: registers 滑块条1 with the one balloon tooltip (creating it
    // on first use) and sets the tool's text.
    virtual void setModeTooltip(const Text& text) = 0;
};

// The events the form raises, one entry point per kind; the reader binds them
// to its handlers (form_bindings). Handlers never consume the input.
class FormEvents {
  public:
    virtual ~FormEvents() = default;
    virtual void onCreated() = 0;
    virtual void onPositionChanged() = 0;
    virtual void onSizeChanged() = 0;
    virtual void onTrayEvent(int code) = 0;  // 1 left up, 2 double-click, 3 right up
    virtual void onTrackbarMoved() = 0;      // 滑块条1, never for programmatic changes
    virtual void onTimerTick(ControlName timer) = 0;
    virtual void onClicked(ControlName control) = 0;  // buttons; lists after the selection changed
    virtual void onGotFocus(ControlName control) = 0;
    virtual void onLostFocus(ControlName control) = 0;
    virtual void onKeyPressed(ControlName control, int keyCode,
                              int modifiers) = 0;  // 1 Ctrl 2 Shift 4 Alt
    virtual void onRightButtonDown(ControlName control, ScreenPoint point, int modifiers) = 0;
    virtual void onMenuItem(MenuItem item) = 0;
};

}  // namespace qm
