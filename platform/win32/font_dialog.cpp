#include "platform/win32/font_dialog.h"

#include <commdlg.h>

#include <cstdlib>

#include "platform/win32/fonts.h"
#include "platform/win32/win32_text.h"
#include "reader/appearance_commands.h"

namespace qm::win32 {

namespace {

int screenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

FontDialogValues fontDialogValuesOf(const LOGFONTW& font, int pointSizeTenths) {
    FontDialogValues values;
    values.name = textOf(font.lfFaceName, lstrlenW(font.lfFaceName));
    values.size = pointSizeTenths > 0 ? (pointSizeTenths + 5) / 10
                                      : MulDiv(std::abs(font.lfHeight), 72, screenPixelsPerInch());
    values.bold = font.lfWeight >= FW_BOLD;
    values.italic = font.lfItalic != FALSE;
    values.underline = font.lfUnderline != FALSE;
    values.strikeOut = font.lfStrikeOut != FALSE;
    return values;
}

bool showFontDialog(HWND owner, FontDialogValues& values, COLORREF& colour) {
    // The pane's own conversion of the same values, so that a point size
    // means the same height in the dialog and in the pane.
    LOGFONTW font = logFontOf(fontSpecOf(values));
    CHOOSEFONTW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = owner;
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choice.rgbColors = colour;
    if (ChooseFontW(&choice) == FALSE) return false;  // cancelled, or the dialog failed
    values = fontDialogValuesOf(font, choice.iPointSize);
    colour = choice.rgbColors;
    return true;
}

}  // namespace qm::win32
