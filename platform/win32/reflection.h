// Hands the notifications that a parent window receives about one of its
// controls back to that control (see Control::reflected).
#pragma once

#include <windows.h>

#include <optional>

namespace qm::win32 {

// nullopt when the message is not about one of the form's controls or the
// control leaves it to the parent's default processing.
std::optional<LRESULT> reflectToControl(UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qm::win32
