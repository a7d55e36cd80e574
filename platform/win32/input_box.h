// The modal input box: the title as its caption, the prompt above a one-line
// edit field, and the buttons "确认输入(&O)" (accept) and "取消(&C)" (cancel).
// The field starts with the initial text, all of it selected. In
// whole-number mode it takes only "-" and the digits as typed characters;
// control keys (Backspace, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+A) still work, and
// pasted text is not filtered.
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/text.h"

namespace qm::win32 {

// Control ids inside the box; the buttons are IDOK and IDCANCEL.
constexpr int kInputBoxPromptId = 101;
constexpr int kInputBoxFieldId = 102;

// Modal until answered; the owner (may be null) takes no input meanwhile,
// while its timers go on. Gives the accepted text, or nothing on cancel.
std::optional<Text> showInputBox(HWND owner, const Text& prompt, const Text& title,
                                 const Text& initialText, bool wholeNumber);

}  // namespace qm::win32
