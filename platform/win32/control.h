// The part every control of the main window shares: its window, built from
// the form's description, the form's operations on it (shown, geometry,
// text, colours, font), the keys every control reports, and the messages its
// parent hands back to it (WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_DRAWITEM,
// WM_CTLCOLOR*). Each kind of control adds its own settings and events.
#pragma once

#include <windows.h>

#include <optional>

#include "reader/form.h"
#include "reader/form_description.h"

namespace qm::win32 {

// What a control needs from the window that holds it.
class ControlHost {
  public:
    // The form's events: a sink that drops them until the window is built.
    virtual FormEvents& events() = 0;
    // Esc closes the window whichever control has the focus.
    virtual void escapePressed() = 0;
    // Tab and Shift+Tab move the focus on through the tab-stop controls.
    virtual void tabPressed(ControlName from, bool backwards) = 0;

  protected:
    ~ControlHost() = default;
};

struct WindowKind {
    const wchar_t* className;
    DWORD style;    // beyond WS_CHILD, WS_CLIPSIBLINGS, WS_VISIBLE and WS_TABSTOP
    DWORD exStyle;  // beyond WS_EX_CLIENTEDGE
};

class Control {
  public:
    Control(ControlHost& host, const ControlSpec& settings);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control's window, a child of parent, with the form's geometry,
    // caption, colours and shown state.
    void create(HWND parent, HINSTANCE instance);
    HWND handle() const { return window_; }
    ControlName name() const { return settings_.name; }

    bool shown() const;
    void show(bool shown);
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setLeft(int value);
    void setTop(int value);
    void setWidth(int value);
    void setHeight(int value);

    virtual Text text() const;
    virtual void setText(const Text& text);
    int textColour() const { return textColour_; }
    int backgroundColour() const { return backgroundColour_; }
    virtual void setTextColour(int colour);
    virtual void setBackgroundColour(int colour);
    // Takes the font over; nullptr gives the default GUI font back.
    void setOwnedFont(HFONT font);

    // A message the parent received on this control's behalf; nullopt when
    // the control leaves it to the parent's default processing.
    virtual std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam);

    // The control that owns a window, or nullptr.
    static Control* ofWindow(HWND window);

  protected:
    virtual WindowKind windowKind() const = 0;
    // Settings that need the window (columns, ranges, colours of list views).
    virtual void configure() {}
    // The control's own messages before its window procedure sees them;
    // nullopt passes the message on.
    virtual std::optional<LRESULT> ownMessage(UINT message, WPARAM wParam, LPARAM lParam);

    ControlHost& host() const { return host_; }
    const ControlSpec& settings() const { return settings_; }
    HFONT font() const;
    COLORREF backgroundColorRef() const;
    HBRUSH backgroundBrush();
    // WM_CTLCOLOR*: the colours into the DC and the brush to paint with.
    std::optional<LRESULT> colourReply(HDC dc);

  private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Reports a key going down; true when the window took the key for itself (Tab).
    bool keyDown(HWND window, UINT message, WPARAM key);
    void moveTo(int left, int top, int width, int height);
    void detach();

    ControlHost& host_;
    const ControlSpec& settings_;
    HWND window_ = nullptr;
    int textColour_;
    int backgroundColour_;
    HBRUSH brush_ = nullptr;
    HFONT ownedFont_ = nullptr;
};

// The modifier mask of the key-pressed and button events: 1 Ctrl, 2 Shift, 4 Alt.
int modifierMask();
// The key code the key-pressed event reports: keypad digits as main digits.
int reportedKeyCode(WPARAM virtualKey);
// A Windows colour value as a COLORREF; the default is the colour of 3D faces.
COLORREF colorRefOf(int colour, int systemDefault = COLOR_BTNFACE);

}  // namespace qm::win32
