// Shared by the source page targets: the fuzzer's page served for every
// address, a reader's state, and events that run further operations nested
// inside the one under test, as clicks arriving during a fetch would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/headless/memory_reader_state.h"
#include "served_page.h"
#include "sources/reader_state.h"
#include "toolkit/event_pump.h"
#include "toolkit/pattern.h"

namespace qm::fuzzing {

inline void selectOnly(TextTable& table, const std::vector<Text>& cells) {
    table.clear();
    const int row = table.appendRow();
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) table.setCell(row, c, cells[c]);
    table.setCurrentRow(row);
}

// Row numbers 1 ... n in order, every cell a terminated Text, nothing
// beyond the last row.
inline void checkTable(const TextTable& table) {
    for (int r = 0; r < table.rowCount(); ++r) {
        QM_FUZZ_CHECK(table.cell(r, 0) == std::to_string(r + 1));
        for (int c = 0; c < table.columnCount(); ++c) {
            QM_FUZZ_CHECK(isTerminatedText(table.cell(r, c)));
        }
    }
    QM_FUZZ_CHECK(table.cell(table.rowCount(), 0).empty());
}

// Runs one operation with events that, while it is under way, run the
// nested ones (each once, at the event processing the schedule picks).
inline void runWithNestedEvents(const std::function<void()>& operation,
                                const std::vector<std::function<void()>>& nested,
                                unsigned schedule) {
    static const bool created = (createSharedPattern(), true);
    (void)created;
    std::size_t next = 0;
    int depth = 0;
    setEventPump([&] {
        if (depth > 0 || next >= nested.size() || (schedule & 1u) == 0) {
            schedule = schedule >> 1 | (schedule & 1u) << 31;
            return;
        }
        schedule >>= 1;
        ++depth;
        nested[next++]();
        --depth;
    });
    operation();
    setEventPump(nullptr);
}

}  // namespace qm::fuzzing
