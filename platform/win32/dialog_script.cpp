#include "platform/win32/dialog_script.h"

#include <deque>
#include <utility>

namespace qm::win32 {

namespace {

struct Scripting {
    std::deque<DialogScript> scripts;
    HHOOK hook = nullptr;
    HWND dialog = nullptr;  // the dialog waiting for its script
};

Scripting& scripting() {
    static Scripting s;
    return s;
}

void unhookWhenDone() {
    Scripting& s = scripting();
    if (s.scripts.empty() && s.dialog == nullptr && s.hook != nullptr) {
        UnhookWindowsHookEx(s.hook);
        s.hook = nullptr;
    }
}

bool isDialogBox(HWND window, const CREATESTRUCTW& creation) {
    wchar_t name[16] = {};
    return (creation.style & WS_CHILD) == 0 && GetClassNameW(window, name, 16) > 0 &&
           lstrcmpW(name, L"#32770") == 0;
}

// A thread timer's procedure is called by DispatchMessage, so it runs inside
// whatever modal loop is pumping: that of the dialog once it is up.
void CALLBACK runScript(HWND, UINT, UINT_PTR timer, DWORD) {
    Scripting& s = scripting();
    KillTimer(nullptr, timer);
    HWND dialog = s.dialog;
    if (dialog == nullptr || IsWindow(dialog) == FALSE || s.scripts.empty()) {
        s.dialog = nullptr;
        unhookWhenDone();
        return;
    }
    // The dialog manager shows a dialog only once its loop first goes idle.
    if (IsWindowVisible(dialog) == FALSE) {
        SetTimer(nullptr, 0, 10, runScript);
        return;
    }
    DialogScript script = std::move(s.scripts.front());
    s.scripts.pop_front();
    s.dialog = nullptr;
    unhookWhenDone();
    if (script) script(dialog);
}

LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam) {
    Scripting& s = scripting();
    if (code == HCBT_CREATEWND && s.dialog == nullptr && !s.scripts.empty()) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const auto* creation = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (creation != nullptr && creation->lpcs != nullptr &&
            isDialogBox(window, *creation->lpcs)) {
            s.dialog = window;
            SetTimer(nullptr, 0, 10, runScript);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void scriptNextDialog(DialogScript script) {
    Scripting& s = scripting();
    s.scripts.push_back(std::move(script));
    if (s.hook == nullptr)
        s.hook = SetWindowsHookExW(WH_CBT, watchCreation, nullptr, GetCurrentThreadId());
}

int pendingDialogScripts() {
    return static_cast<int>(scripting().scripts.size());
}

void clearDialogScripts() {
    Scripting& s = scripting();
    s.scripts.clear();
    s.dialog = nullptr;
    unhookWhenDone();
}

}  // namespace qm::win32
