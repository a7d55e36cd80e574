// The busy sign around each fetch, against the loopback test server.
#include "toolkit/busy_indicator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/fetch.h"
#include "toolkit/message_box.h"

namespace qm {
namespace {

Text serverBase() {
    const char* base = std::getenv("QM_TEST_SERVER");
    return base != nullptr ? base : "http://127.0.0.1:18391/";
}

class BusyIndicatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = fetchLimits();
        setBusyIndicator([this] { log_.push_back("begin"); }, [this] { log_.push_back("end"); });
        setMessageHandler([this](const Text&, const Text&, int) { log_.push_back("message"); });
    }
    void TearDown() override {
        setBusyIndicator({}, {});
        setMessageHandler({});
        setFetchLimits(saved_);
    }

    std::vector<std::string> log_;
    FetchLimits saved_;
};

TEST_F(BusyIndicatorTest, BracketsEveryRequestThatIsSentWorkedOrNot) {
    struct Case {
        Text url;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {serverBase() + "fault/landing", {"begin", "end"}},
        {serverBase() + "fault/not-found", {"begin", "end"}},
        {"http://127.0.0.1:1/", {"begin", "end"}},  // refused
        {"file:///etc/hostname", {}},               // never sent
        {"", {}},
    };
    for (const auto& c : cases) {
        log_.clear();
        fetchPage(c.url);
        EXPECT_EQ(log_, c.expected) << c.url;
    }
}

TEST_F(BusyIndicatorTest, LastsAsLongAsTheWindowIsBlocked) {
    FetchLimits limits = fetchLimits();
    limits.connectTimeoutMs = 400;
    limits.totalTimeoutMs = 400;
    setFetchLimits(limits);
    std::chrono::steady_clock::time_point began, ended;
    setBusyIndicator([&] { began = std::chrono::steady_clock::now(); },
                     [&] { ended = std::chrono::steady_clock::now(); });
    EXPECT_EQ(fetchPage(serverBase() + "fault/never"), "");
    // A lower bound only: the sign was up while the request waited for its bound.
    EXPECT_GE(ended - began, std::chrono::milliseconds(300));
}

TEST_F(BusyIndicatorTest, ASignReplacedWhileUpIsEndedByItsOwnStep) {
    {
        const BusyScope busy;
        setBusyIndicator([this] { log_.push_back("other begin"); },
                         [this] { log_.push_back("other end"); });
    }
    EXPECT_EQ(log_, (std::vector<std::string>{"begin", "end"}));
}

}  // namespace
}  // namespace qm
