// The real main window: the form's window and every control of the form
// description, its timers, tray icon, mode tooltip and popup menus, and the
// one dispatch that turns the window's messages into the form's events.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "platform/win32/control.h"
#include "platform/win32/guarded_events.h"
#include "platform/win32/mode_tooltip.h"
#include "platform/win32/popup_menus.h"
#include "platform/win32/tray_icon.h"
#include "platform/win32/window_timer.h"
#include "reader/form.h"

namespace qm::win32 {

class Button;
class ListView;
class PictureButton;
class Trackbar;

class Win32Form : public Form, private ControlHost {
  public:
    // quitWhenDestroyed: the window's end posts WM_QUIT, ending the program's
    // message loop.
    Win32Form(HINSTANCE instance, bool quitWhenDestroyed);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    // Creates the window and its controls, raises created, position changed
    // and size changed into events (which must outlive the form), then shows
    // and activates the window. False when the window could not be made, and
    // for any later call: a form opens its window once.
    bool open(FormEvents& events);
    HWND handle() const { return window_; }
    bool exists() const { return window_ != nullptr; }
    HWND controlHandle(ControlName control) const;

    TrayIcon& trayIcon() { return tray_; }
    ModeTooltip& modeTooltip() { return tooltip_; }
    const PopupMenus& menus() const { return menus_; }
    ImageName normalImage() const { return normalImage_; }
    ImageName hotImage() const { return hotImage_; }

    // --- Form ---
    bool shown(ControlName control) const override;
    void show(ControlName control, bool shown) override;
    int left(ControlName control) const override;
    int top(ControlName control) const override;
    int width(ControlName control) const override;
    int height(ControlName control) const override;
    void setLeft(ControlName control, int value) override;
    void setTop(ControlName control, int value) override;
    void setWidth(ControlName control, int value) override;
    void setHeight(ControlName control, int value) override;
    Text text(ControlName control) const override;
    void setText(ControlName control, const Text& text) override;
    int textColour(ControlName control) const override;
    void setTextColour(ControlName control, int colour) override;
    int backgroundColour(ControlName control) const override;
    void setBackgroundColour(ControlName control, int colour) override;
    void setFont(ControlName control, const FontSpec& font) override;
    bool checked(ControlName radio) const override;
    void setChecked(ControlName radio, bool checked) override;
    int trackbarPosition() const override;
    void setTrackbarPosition(int position) override;
    int timerPeriod(ControlName timer) const override;
    void setTimerPeriod(ControlName timer, int periodMs) override;
    void setPictureImages(ImageName normal, ImageName hot) override;
    TextTable& table(ControlName list) override;
    Text caption() const override;
    void setCaption(const Text& caption) override;
    int clientWidth() const override;
    int clientHeight() const override;
    int windowState() const override;
    void hideWindow() override;
    void restoreWindow() override;
    void activateWindow() override;
    void focusWindow() override;
    void destroyWindow() override;

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool createWindow();
    void createControls();
    void loadImages();
    Control* control(ControlName name) const;
    WindowTimer* timer(ControlName name);
    const WindowTimer* timer(ControlName name) const;
    static bool canTakeFocus(HWND window);
    // Tab: from the control at index `from` of the focus order (-1: none).
    void moveFocusOn(int from, bool backwards);
    void rememberFocus();
    void passFocusOn();
    void windowGone();

    // --- ControlHost ---
    FormEvents& events() override;
    void escapePressed() override;
    void tabPressed(ControlName from, bool backwards) override;

    HINSTANCE instance_;
    bool quitWhenDestroyed_;
    HWND window_ = nullptr;
    GuardedEvents events_;
    // The first show leaves the focus where the created event put it.
    bool passingFocusOn_ = true;
    HWND focusAtDeactivation_ = nullptr;

    std::vector<std::unique_ptr<Control>> controls_;
    std::array<Control*, 15> byName_{};
    ListView* novels_ = nullptr;
    ListView* chapters_ = nullptr;
    Trackbar* trackbar_ = nullptr;
    PictureButton* picture_ = nullptr;
    std::vector<WindowTimer> timers_;
    std::array<HBITMAP, 4> images_{};
    ImageName normalImage_;
    ImageName hotImage_;
    TrayIcon tray_;
    ModeTooltip tooltip_;
    PopupMenus menus_;
};

}  // namespace qm::win32
