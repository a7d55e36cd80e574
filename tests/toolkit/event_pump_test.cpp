#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/event_pump.h"

namespace qm {
namespace {

TEST(EventPump, RunsTheInstalledHookAndNothingWithout) {
    setEventPump({});
    processPendingEvents();  // no hook: nothing happens

    int calls = 0;
    setEventPump([&calls] { ++calls; });
    processPendingEvents();
    processPendingEvents();
    EXPECT_EQ(calls, 2);

    setEventPump({});
    processPendingEvents();
    EXPECT_EQ(calls, 2);
}

TEST(EventPump, HookMayReplaceItselfWhileRunning) {
    std::vector<std::string> log;
    // The captured text lives in the running hook; reading it after the
    // hook has been replaced shows whether the running function survived.
    const std::string name(64, 'x');
    setEventPump([&log, name] {
        setEventPump([&log] { log.push_back("second"); });
        log.push_back(name);
    });
    processPendingEvents();
    processPendingEvents();
    setEventPump({});
    EXPECT_EQ(log, (std::vector<std::string>{name, "second"}));
}

}  // namespace
}  // namespace qm
