// The appearance and help commands: the usage, contact and background-colour
// help boxes, the window's opacity, the reading pane's font, its background
// colour picked from the screen, and the reading pane's context menu. Each
// public handler is bound to one window event (see connectAppearance). What
// they set is kept nowhere else: it lasts until set again or the program ends.
#pragma once

#include "reader/appearance_services.h"
#include "reader/commands.h"
#include "reader/form.h"
#include "reader/form_bindings.h"
#include "toolkit/text.h"

namespace qm {

class AppearanceCommands {
  public:
    // All three must outlive the commands.
    AppearanceCommands(Form& form, Services& services, AppearanceServices& appearance);

    // Menu "菜单": "使用方法" and "关于软件".
    void usageCommand();
    void contactCommand();
    // Menu "转章节": "设置文本框背景色", "设置透明度" and "改变字体及大小".
    void backgroundHelpCommand();
    void transparencyCommand();
    void fontCommand();
    // Right button down in the reading pane: pops up "转章节" beside the
    // pointer. The event's own position and modifiers are not used.
    void readingPaneMenu();
    // Q starts picking the pane's colour from the screen (时钟2 at 100 ms),
    // W stops it; other keys do nothing.
    void colourPickingKeys(int keyCode);
    // Each tick of 时钟2: the pane's background := the colour under the pointer.
    void colourPickTick();

    // The font dialog 通用对话框1's own values as they now stand.
    const FontDialogValues& fontDialogValues() const { return fontDialog_; }

  private:
    Form& form_;
    Services& services_;
    AppearanceServices& appearance_;
    FontDialogValues fontDialog_;
};

// Binds the commands to their events: the five menu items, the reading
// pane's right button, 时钟2's tick, and Q and W through the reading pane's
// key handler.
void connectAppearance(AppearanceCommands& appearance, FormBindings& bindings,
                       ReaderCommands& commands);

// The input box's text as a whole number: leading blanks skipped, then an
// optional "+" or "-", then the decimal digits up to the first other
// character; no digits there give 0. Saturates at the int range.
int wholeNumberOf(const Text& text);

// The reading pane's font made of the font dialog's values; angle 0.
FontSpec fontSpecOf(const FontDialogValues& values);

// A Windows colour value: red + 256 × green + 65536 × blue, each part
// clamped to 0..255.
int colourValueOf(const PixelColour& colour);

// The text of the box "联系方式", fixed when the program is built.
Text contactLine();

}  // namespace qm
