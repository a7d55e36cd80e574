// The least a Win32 program does to show a window: the yardstick for how long
// quillmere.exe takes from its start to its window. Same size as the main
// window; closes on WM_CLOSE like any window.
//
// Built a second time with QM_SYSTEM_PARTS, it also starts what quillmere.exe
// needs of the system before its window can be shown (COM, the
// common controls, a list view, a trackbar, the reading pane's Kai face and a
// tray icon) and nothing of its own: how far the system parts alone take a
// start above the plain window.
#include <windows.h>

#ifdef QM_SYSTEM_PARTS
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#endif

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

#ifdef QM_SYSTEM_PARTS
void startSystemParts() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

void addSystemControls(HWND window, HINSTANCE instance) {
    CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 6, 6,
                    150, 300, window, nullptr, instance, nullptr);
    CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE, 6, 310, 150, 30, window,
                    nullptr, instance, nullptr);
    HWND pane = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL,
                                160, 6, 411, 372, window, nullptr, instance, nullptr);
    HFONT kai = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0,
                            0, L"\x6977\x4F53_GB2312");
    SendMessageW(pane, WM_SETFONT, reinterpret_cast<WPARAM>(kai), TRUE);
    NOTIFYICONDATAW tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = window;
    tray.uID = 1;
    tray.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    tray.uCallbackMessage = WM_APP;
    tray.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(tray.szTip, L"QmSystemWindow");
    Shell_NotifyIconW(NIM_ADD, &tray);
}
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef QM_SYSTEM_PARTS
    startSystemParts();
#endif
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"QmMinimalWindow";
    if (RegisterClassW(&windowClass) == 0) return 1;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"QmMinimalWindow",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 578, 426,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
#ifdef QM_SYSTEM_PARTS
    addSystemControls(window, instance);
#endif
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
