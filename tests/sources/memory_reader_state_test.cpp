#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/memory_reader_state.h"
#include "source_test_support.h"

namespace qm::testing {
namespace {

// Every case starts from rows a, b, c (two columns) with row 1 current.
struct TableCase {
    const char* what;
    std::function<void(MemoryTextTable&)> act;
    Rows rows;
    int current;
    int lastVisible;
};

TEST(MemoryTextTable, FollowsTheTableContract) {
    const Rows abc = {{"1", "a"}, {"2", "b"}, {"3", "c"}};
    const std::vector<TableCase> cases = {
        {"append gives the new index, its cells empty",
         [](MemoryTextTable& t) { EXPECT_EQ(t.appendRow(), 3); },
         {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"", ""}},
         1,
         -1},
        {"writes to missing cells do nothing",
         [](MemoryTextTable& t) {
             t.setCell(-1, 0, "x");
             t.setCell(3, 0, "x");
             t.setCell(0, 2, "x");
             t.setCell(0, -1, "x");
         },
         abc, 1, -1},
        {"a cell keeps its text up to a zero byte",
         [](MemoryTextTable& t) { t.setCell(0, 1, std::string("ab\0cd", 5)); },
         {{"1", "ab"}, {"2", "b"}, {"3", "c"}},
         1,
         -1},
        {"removing a row moves later rows up; the selection goes with its row",
         [](MemoryTextTable& t) { t.removeRow(1); },
         {{"1", "a"}, {"3", "c"}},
         -1,
         -1},
        {"removing an earlier row keeps the selected row selected",
         [](MemoryTextTable& t) { t.removeRow(0); },
         {{"2", "b"}, {"3", "c"}},
         0,
         -1},
        {"removing a missing row does nothing",
         [](MemoryTextTable& t) {
             t.removeRow(3);
             t.removeRow(-1);
         },
         abc, 1, -1},
        {"emptying leaves no row selected",
         [](MemoryTextTable& t) {
             t.makeRowVisible(2);
             t.clear();
         },
         {},
         -1,
         -1},
        {"a row in range becomes current", [](MemoryTextTable& t) { t.setCurrentRow(2); }, abc, 2,
         -1},
        {"a row past the end changes nothing", [](MemoryTextTable& t) { t.setCurrentRow(3); }, abc,
         1, -1},
        {"-1 and below select nothing",
         [](MemoryTextTable& t) {
             t.setCurrentRow(0);
             t.setCurrentRow(-7);
         },
         abc, -1, -1},
        {"making a missing row visible does nothing",
         [](MemoryTextTable& t) {
             t.makeRowVisible(2);
             t.makeRowVisible(3);
             t.makeRowVisible(-1);
         },
         abc, 1, 2},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryTextTable table(2);
        fillTable(table, abc);
        table.setCurrentRow(1);
        c.act(table);
        EXPECT_EQ(rowsOf(table), c.rows);
        EXPECT_EQ(table.currentRow(), c.current);
        EXPECT_EQ(table.lastVisibleRow(), c.lastVisible);
    }

    MemoryTextTable table(2);
    fillTable(table, abc);
    for (auto [row, column] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}}) {
        EXPECT_EQ(table.cell(row, column), "") << row << "," << column;
    }
}

TEST(MemoryReaderState, StartsAsTheWindowDoes) {
    MemoryReaderState state;
    EXPECT_EQ(state.novelTable().columnCount(), 4);
    EXPECT_EQ(state.chapterTable().columnCount(), 3);
    EXPECT_EQ(state.novelTable().currentRow(), -1);
    EXPECT_EQ(state.chapterTable().currentRow(), -1);
    EXPECT_TRUE(state.sourceOneChecked());
    EXPECT_FALSE(state.sourceTwoChecked());
    EXPECT_EQ(state.panelMode(), 1);
    EXPECT_EQ(state.panelTimer(), 0);
    EXPECT_EQ(state.textStoreDir(), "");
    EXPECT_FALSE(state.rememberedNovel().known);
}

}  // namespace
}  // namespace qm::testing
