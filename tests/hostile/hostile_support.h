// Shared by the hostile suites: the hostile server's address, and each
// case's time and peak memory, checked against the bounds and reported.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "process_memory.h"
#include "toolkit/fetch.h"
#include "toolkit/message_box.h"
#include "toolkit/text.h"

namespace qm::testing {

// "http://127.0.0.1:PORT/", as the test run gives it.
inline Text hostileServer() {
    const char* base = std::getenv("QM_HOSTILE_SERVER");
    return base != nullptr ? base : "http://127.0.0.1:19391/";
}

// Under a sanitizer, freed memory waits in quarantine: the peak says nothing.
inline bool memoryIsBounded() {
#ifdef __SANITIZE_ADDRESS__
    return false;
#else
    return true;
#endif
}

// No fetch here may show a box (a real one would wait for a click).
class NoMessageBoxes {
  public:
    NoMessageBoxes() {
        setMessageHandler(
            [](const Text& text, const Text&, int) { ADD_FAILURE() << "message box: " << text; });
    }
    ~NoMessageBoxes() { setMessageHandler({}); }
    NoMessageBoxes(const NoMessageBoxes&) = delete;
    NoMessageBoxes& operator=(const NoMessageBoxes&) = delete;
};

// One fetch before any case: what the first one loads and sets up for good
// (libcurl's state; the request object's libraries) is no cost of a case.
inline void warmUp() {
    fetchPage(hostileServer() + "error");
}

struct Outcome {
    long long ms = 0;
    std::size_t peakGrowth = 0;  // bytes above what was resident before
};

template <typename Run>
Outcome measure(Run&& run) {
    resetPeakResident();
    const std::size_t before = residentBytes();
    const auto start = std::chrono::steady_clock::now();
    run();
    Outcome outcome;
    outcome.ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - start)
                     .count();
    const std::size_t peak = peakResidentBytes();
    outcome.peakGrowth = peak > before ? peak - before : 0;
    return outcome;
}

// One line per case for the record of results, times and memory.
inline void report(const std::string& suite, const std::string& name, const std::string& result,
                   const Outcome& outcome) {
    std::printf("hostile %s %s: %s, %lld ms, peak +%.1f MiB\n", suite.c_str(), name.c_str(),
                result.c_str(), outcome.ms, static_cast<double>(outcome.peakGrowth) / (1 << 20));
    std::fflush(stdout);
}

inline std::string describe(const Text& text) {
    if (text.empty()) return "empty";
    std::string shown;
    for (const char c : text.substr(0, 24)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            shown += hex;
        }
    }
    return std::to_string(text.size()) + " bytes \"" + shown + (text.size() > 24 ? "...\"" : "\"");
}

}  // namespace qm::testing
