// The font dialog 通用对话框1: the system's font chooser (ChooseFontW) with
// screen fonts and the effects choices (underline, strike-out, colour),
// opened on the dialog's own kept values.
#pragma once

#include <windows.h>

#include "reader/appearance_services.h"

namespace qm::win32 {

// Modal; the owner (may be null) takes no input meanwhile. Accepting
// replaces values (bold when the chosen weight is 700 or more) and colour,
// and gives true; cancelling leaves both and gives false.
bool showFontDialog(HWND owner, FontDialogValues& values, COLORREF& colour);

// The chosen font as the dialog's values: size in points from the dialog's
// tenths of a point, or from the height at the screen's resolution.
FontDialogValues fontDialogValuesOf(const LOGFONTW& font, int pointSizeTenths);

}  // namespace qm::win32
