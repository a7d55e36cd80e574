// What the appearance commands need of the platform beyond the form and its
// services: the input box, the font dialog, the screen pixel under the mouse
// pointer and the window's opacity. Realised by platform/win32 (the real
// dialogs and the screen) and platform/headless (answered from a script).
#pragma once

#include <optional>

#include "toolkit/text.h"

namespace qm {

// The font values the font dialog 通用对话框1 keeps between uses.
struct FontDialogValues {
    Text name;     // typeface
    int size = 0;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontDialogValues&) const = default;
};

// A screen colour split into its parts, each 0..255.
struct PixelColour {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const PixelColour&) const = default;
};

class AppearanceServices {
  public:
    virtual ~AppearanceServices() = default;

    // A modal input box: the prompt above a one-line field that starts with
    // initialText, all of it selected. In whole-number mode the field takes
    // only "-" and the digits as typed characters. Gives the text accepted,
    // or nothing when the box was cancelled.
    virtual std::optional<Text> inputBox(const Text& prompt, const Text& title,
                                         const Text& initialText, bool wholeNumber) = 0;

    // The system's font chooser (screen fonts, effects), opened on `values`.
    // Accepting replaces them with the chosen font (bold when its weight is
    // 700 or more) and gives true; cancelling leaves them and gives false.
    virtual bool fontDialog(FontDialogValues& values) = 0;

    // The colour of the screen pixel under the mouse pointer, or nothing
    // where it cannot be read.
    virtual std::optional<PixelColour> pixelUnderPointer() const = 0;

    // Makes the main window a layered window drawn with the constant alpha
    // 0 (fully transparent) .. 255 (opaque).
    virtual void setWindowOpacity(int alpha) = 0;
};

}  // namespace qm
