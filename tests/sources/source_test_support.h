// Shared by the source suites: the loopback server's address, the requests
// it saw, a table read back as rows, and a fixture that owns the shared
// pattern and the event pump.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/memory_reader_state.h"
#include "sources/reader_state.h"
#include "sources/site_config.h"
#include "toolkit/event_pump.h"
#include "toolkit/fetch.h"
#include "toolkit/pattern.h"
#include "toolkit/text.h"

namespace qm::testing {

using Rows = std::vector<std::vector<Text>>;

inline Rows rowsOf(const TextTable& table) {
    Rows rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        std::vector<Text> row;
        for (int c = 0; c < table.columnCount(); ++c) row.push_back(table.cell(r, c));
        rows.push_back(row);
    }
    return rows;
}

inline void fillTable(TextTable& table, const Rows& rows) {
    table.clear();
    for (const auto& cells : rows) {
        const int row = table.appendRow();
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) table.setCell(row, c, cells[c]);
    }
}

// "http://127.0.0.1:PORT/", as the test run gives it.
inline Text testServer() {
    const char* base = std::getenv("QM_TEST_SERVER");
    return base ? base : "http://127.0.0.1:18391/";
}

// A request target in the normal form of RFC 3986: escapes of unreserved
// characters decoded. The Win32 request object sends "%61" as "a" (an
// equivalent address); every other escape, such as "%E4", stays as it was.
inline std::string normalTarget(const std::string& target) {
    auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    std::string out;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i] == '%' && i + 2 < target.size() && hex(target[i + 1]) && hex(target[i + 2])) {
            const char c = static_cast<char>(std::stoi(target.substr(i + 1, 2), nullptr, 16));
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_' ||
                c == '~') {
                out += c;
                i += 2;
                continue;
            }
        }
        out += target[i];
    }
    return out;
}

// Whether the server received this request target (compared in normal form).
// Suites run side by side, so the log is searched, never reset.
inline bool serverSaw(const Text& target) {
    std::istringstream log(fetchPage(testServer() + "_requests"));
    for (std::string line; std::getline(log, line);) {
        if (normalTarget(line) == normalTarget(target)) return true;
    }
    return false;
}

// A port on which nothing listens: every fetch from it fails.
inline const Text kDeadBase = "http://127.0.0.1:1/";

class SourcesTest : public ::testing::Test {
  protected:
    void SetUp() override { createSharedPattern(); }
    void TearDown() override {
        setEventPump(nullptr);
        destroySharedPattern();
    }

    // Counts the processings of pending events and runs onEvents at each.
    void countEvents() {
        setEventPump([this] {
            ++eventProcessings;
            if (onEvents) onEvents();
        });
    }

    MemoryReaderState state;
    int eventProcessings = 0;
    std::function<void()> onEvents;
};

}  // namespace qm::testing
