// The wait cursor of the Win32 build while a fetch blocks the thread, read
// from a second thread that shares the first one's input state.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "toolkit/busy_indicator.h"
#include "toolkit/fetch.h"

namespace qm {
namespace {

Text serverBase() {
    const char* base = std::getenv("QM_TEST_SERVER");
    return base != nullptr ? base : "http://127.0.0.1:18391/";
}

TEST(BusyCursor, IsTheWaitCursorDuringEachFetchAndThePreviousOneAfter) {
    const FetchLimits saved = fetchLimits();
    FetchLimits limits = saved;
    limits.connectTimeoutMs = 1500;
    limits.totalTimeoutMs = 1500;
    setFetchLimits(limits);

    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // this thread's input queue
    const DWORD fetchingThread = GetCurrentThreadId();
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    SetCursor(hand);

    const struct {
        Text url;
        bool slow;  // long enough for the watcher to see the cursor
    } fetches[] = {
        {serverBase() + "fault/never", true},  // ends at the time bound
        {serverBase() + "fault/landing", false},
        {"http://127.0.0.1:1/", false},  // refused
    };
    for (const auto& fetch : fetches) {
        std::atomic<bool> ready{false}, attached{false}, done{false}, sawWait{false};
        std::thread watcher([&] {
            MSG own;
            PeekMessageW(&own, nullptr, 0, 0, PM_NOREMOVE);
            attached = AttachThreadInput(GetCurrentThreadId(), fetchingThread, TRUE) != FALSE;
            ready = true;
            while (!done) {
                if (GetCursor() == wait) sawWait = true;
                Sleep(10);
            }
            if (attached) AttachThreadInput(GetCurrentThreadId(), fetchingThread, FALSE);
        });
        while (!ready) Sleep(1);
        fetchPage(fetch.url);
        done = true;
        watcher.join();
        ASSERT_TRUE(attached);
        if (fetch.slow) {
            EXPECT_TRUE(sawWait) << fetch.url;
        }
        EXPECT_EQ(GetCursor(), hand) << fetch.url;
    }
    setFetchLimits(saved);
}

}  // namespace
}  // namespace qm
