// Lets tests answer the program's modal dialogs (the input box, the font
// dialog) from a script instead of a person. A queued script runs once the
// next dialog box window of this thread (class "#32770", message boxes
// included) is up and its modal loop is running: it gets the dialog's window
// and may type into it, fill in its fields and press its buttons. While no
// script is queued nothing is hooked, so the program itself never pays for it.
#pragma once

#include <windows.h>

#include <functional>

namespace qm::win32 {

using DialogScript = std::function<void(HWND dialog)>;

// Scripts answer dialogs in the order they were queued.
void scriptNextDialog(DialogScript script);
// Queued scripts that no dialog has taken yet.
int pendingDialogScripts();
// Drops every queued script (a test that failed before its dialog came).
void clearDialogScripts();

}  // namespace qm::win32
