// modeTooltip: the one balloon tooltip of the program, created on first use,
// whose one tool is the trackbar.
#pragma once

#include <windows.h>

#include "toolkit/text.h"

namespace qm::win32 {

class ModeTooltip {
  public:
    ModeTooltip() = default;
    ~ModeTooltip();
    ModeTooltip(const ModeTooltip&) = delete;
    ModeTooltip& operator=(const ModeTooltip&) = delete;

    // Registers the trackbar (creating the tooltip on first use) and sets
    // the tool's text.
    void setText(HWND owner, HWND trackbar, const Text& text);
    HWND handle() const { return tooltip_; }
    // The tool's text as the tooltip holds it.
    Text text() const;

  private:
    HWND tooltip_ = nullptr;
    HWND tool_ = nullptr;
};

}  // namespace qm::win32
