// The event pump that the toolkit and the reader run between steps.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/message_pump.h"
#include "toolkit/event_pump.h"

namespace qm::win32::testing {
namespace {

TEST(MessagePump, ProcessesWhatWaitsAndLeavesTheQuitForTheMainLoop) {
    MSG stale;
    while (PeekMessageW(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
    installMessagePump();
    const DWORD thread = GetCurrentThreadId();
    PostThreadMessageW(thread, WM_APP + 7, 0, 0);
    PostQuitMessage(3);
    PostThreadMessageW(thread, WM_APP + 8, 0, 0);

    processPendingEvents();
    processPendingEvents();  // a second pump stops at the quit again

    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    setEventPump(nullptr);
}

}  // namespace
}  // namespace qm::win32::testing
