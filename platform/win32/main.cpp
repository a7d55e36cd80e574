// quillmere.exe: starts the reader, runs the main window's message loop
// until the window has gone, and ends.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/appearance_services_win32.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_services.h"
#include "reader/appearance_commands.h"
#include "reader/reader_app.h"
#include "toolkit/event_pump.h"

namespace qm::win32 {

namespace {

int startUp(HINSTANCE instance) {
    // COM for this thread. Nothing here needs OLE's extras (drag and drop,
    // its clipboard), whose start-up costs time before the window is shown;
    // the page fetch drives its request object on a worker thread with an
    // apartment of its own.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    prepareSharedPattern();

    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    installMessagePump();

    {
        Win32Form form(instance, true);
        Win32Services services(form);
        ReaderApp app(form, services);
        Win32AppearanceServices appearanceServices([&form] { return form.handle(); });
        AppearanceCommands appearance(form, services, appearanceServices);
        connectAppearance(appearance, app.bindings(), app.commands());
        if (form.open(app.events())) {
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        setEventPump(nullptr);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    // The shared pattern goes in the exit routine that prepareSharedPattern registered.
    return 0;
}

}  // namespace

}  // namespace qm::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return qm::win32::startUp(instance);
}
