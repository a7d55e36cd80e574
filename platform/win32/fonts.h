// The fonts the window creates: the reading pane's at start, and those the
// program sets later from a FontSpec. The caller owns the font.
#pragma once

#include <windows.h>

#include "reader/form.h"
#include "reader/form_description.h"

namespace qm::win32 {

LOGFONTW logFontOf(const PaneLogFont& font);
// Size in points at the screen's resolution; angle in degrees.
LOGFONTW logFontOf(const FontSpec& font);

HFONT createFont(const LOGFONTW& font);

}  // namespace qm::win32
