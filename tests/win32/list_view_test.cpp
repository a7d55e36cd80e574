// The two lists under Wine: the table contract on the real list views, the
// events of clicks and keys, and how fast a long list fills.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/win32/win32_text.h"
#include "reader/form_description.h"
#include "tests/win32/window_driver.h"

namespace qm::win32::testing {
namespace {

using N = ControlName;

void fill(TextTable& table, int rows) {
    for (int i = 0; i < rows; ++i) {
        const int row = table.appendRow();
        table.setCell(row, 0, numberToText(row + 1));
        table.setCell(row, 1, "第" + numberToText(row + 1) + "章 风起");
        table.setCell(row, 2, "key" + numberToText(row));
    }
}

// The text the list itself shows in a cell.
Text shownText(HWND list, int row, int column) {
    wchar_t buffer[128] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 128;
    const auto units = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                    reinterpret_cast<LPARAM>(&item));
    return textOf(buffer, static_cast<int>(units));
}

// A row wholly inside the list's client area.
bool rowInView(HWND list, int row) {
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    if (SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item)) == 0)
        return false;
    RECT client{};
    GetClientRect(list, &client);
    RECT header{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
    return item.top >= header.bottom - header.top && item.bottom <= client.bottom;
}

POINT rowCentre(HWND list, int row) {
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    POINT point{20, (item.top + item.bottom) / 2};
    ClientToScreen(list, &point);
    return point;
}

// Appends 10,000 novel rows to an empty list and has the list show the
// last of them; gives the milliseconds taken.
double timeTenThousandRows(TextTable& novels, HWND list) {
    novels.clear();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < 10000; ++i) {
        const int row = novels.appendRow();
        novels.setCell(row, 0, numberToText(row + 1));
        novels.setCell(row, 1, "小说" + numberToText(row + 1));
        novels.setCell(row, 2, "/book/" + numberToText(row) + "/");
        novels.setCell(row, 3, "bukanshu");
    }
    novels.makeRowVisible(9999);
    UpdateWindow(list);
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

TEST_F(WindowTest, TenThousandRowsAreShownWithinTheBudget) {
    TextTable& novels = form->table(N::超级列表框小说显示);
    HWND list = handleOf(N::超级列表框小说显示);
    // The machine is shared and the budget is the list's: the best of up to
    // ten rounds counts.
    double best = 1e9;
    for (int round = 0; round < 10 && best > 100.0; ++round) {
        const double ms = timeTenThousandRows(novels, list);
        std::printf("10000 rows appended and shown in %.1f ms\n", ms);
        best = std::min(best, ms);
    }
    RecordProperty("fill_ms", std::to_string(best));
    EXPECT_LE(best, 100.0);

    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 10000);
    EXPECT_TRUE(rowInView(list, 9999));
    EXPECT_EQ(shownText(list, 9999, 1), "小说10000");
    EXPECT_EQ(novels.cell(9999, 3), "bukanshu");
}

TEST_F(WindowTest, AListOfFourHundredRowsFollowsTheTableContract) {
    recorder->passOn = false;
    TextTable& chapters = form->table(N::超级列表框章节);
    HWND list = handleOf(N::超级列表框章节);
    fill(chapters, 400);
    EXPECT_EQ(chapters.rowCount(), 400);
    EXPECT_EQ(chapters.columnCount(), 3);
    EXPECT_EQ(chapters.currentRow(), -1);

    struct Case {
        int set;
        int expected;
    };
    // In range selects and focuses; past the end keeps the old selection;
    // negative leaves none.
    for (const Case& c :
         {Case{5, 5}, Case{400, 5}, Case{-1, -1}, Case{399, 399}, Case{-7, -1}, Case{0, 0}}) {
        chapters.setCurrentRow(c.set);
        EXPECT_EQ(chapters.currentRow(), c.expected) << c.set;
        if (c.expected >= 0) {
            EXPECT_EQ(
                SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(c.expected), LVIS_FOCUSED),
                LVIS_FOCUSED);
            EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
        }
    }

    chapters.makeRowVisible(399);
    EXPECT_TRUE(rowInView(list, 399));
    chapters.makeRowVisible(400);  // no such row: nothing moves
    EXPECT_TRUE(rowInView(list, 399));
    chapters.makeRowVisible(0);
    EXPECT_TRUE(rowInView(list, 0));

    // Cells outside the table read empty and take no writes.
    chapters.setCell(400, 1, "x");
    chapters.setCell(0, 3, "x");
    EXPECT_EQ(chapters.cell(400, 1), "");
    EXPECT_EQ(chapters.cell(-1, 1), "");
    EXPECT_EQ(chapters.cell(0, 3), "");
    chapters.setCell(1, 1, Text("前\0后", 5));
    EXPECT_EQ(chapters.cell(1, 1), "前");

    // Removing a row moves the later ones up, the selected one with them.
    chapters.setCurrentRow(5);
    chapters.removeRow(2);
    chapters.removeRow(400);
    EXPECT_EQ(chapters.rowCount(), 399);
    EXPECT_EQ(chapters.cell(2, 2), "key3");
    EXPECT_EQ(shownText(list, 2, 2), "key3");
    EXPECT_EQ(chapters.currentRow(), 4);

    chapters.clear();
    EXPECT_EQ(chapters.rowCount(), 0);
    EXPECT_EQ(chapters.currentRow(), -1);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(chapters.appendRow(), 0);
    // None of it was an event of the list.
    EXPECT_TRUE(recorder->ofKind("clicked").empty());
}

TEST_F(WindowTest, AClickOnAListRaisesClickedAfterTheSelectionHasMoved) {
    recorder->passOn = false;
    TextTable& novels = form->table(N::超级列表框小说显示);
    HWND list = handleOf(N::超级列表框小说显示);
    fill(novels, 400);
    novels.setCurrentRow(0);

    clickAt(rowCentre(list, 3));
    auto clicks = recorder->ofKind("clicked");
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].control, N::超级列表框小说显示);
    EXPECT_EQ(clicks[0].currentRow, 3);

    // Scrolled by the user, the list still selects the row under the click.
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    pumpFor(30);
    const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    EXPECT_GT(top, 3);
    clickAt(rowCentre(list, top + 1));
    clicks = recorder->ofKind("clicked");
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].currentRow, top + 1);

    // Empty space below the rows: no row stays selected.
    novels.clear();
    fill(novels, 3);
    novels.setCurrentRow(1);
    RECT client{};
    GetClientRect(list, &client);
    POINT below{20, client.bottom - 30};
    ClientToScreen(list, &below);
    clickAt(below);
    clicks = recorder->ofKind("clicked");
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[2].currentRow, -1);
    EXPECT_EQ(novels.currentRow(), -1);
}

TEST_F(WindowTest, KeysAreReportedBeforeTheControlHandlesThem) {
    recorder->passOn = false;
    form->setTrackbarPosition(kChaptersMode);
    app->window().applyPanelMode();
    TextTable& chapters = form->table(N::超级列表框章节);
    fill(chapters, 10);
    chapters.setCurrentRow(0);
    focus(N::超级列表框章节);

    pressKey(VK_DOWN);
    auto keys = recorder->ofKind("keyPressed");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].control, N::超级列表框章节);
    EXPECT_EQ(keys[0].code, VK_DOWN);
    EXPECT_EQ(keys[0].currentRow, 0);     // the list had not moved yet
    EXPECT_EQ(chapters.currentRow(), 1);  // and it moved afterwards: nothing consumed

    struct Case {
        WORD key;
        WORD modifier;
        int code;
        int modifiers;
    };
    const Case cases[] = {
        {VK_NUMPAD7, 0, '7', 0},  // keypad digits as main digits
        {'7', 0, '7', 0},
        {VK_RIGHT, VK_CONTROL, VK_RIGHT, 1},
        {VK_LEFT, VK_SHIFT, VK_LEFT, 2},
        {VK_F5, 0, VK_F5, 0},
    };
    for (const Case& c : cases) {
        recorder->events.clear();
        pressKey(c.key, c.modifier);
        keys = recorder->ofKind("keyPressed");
        ASSERT_FALSE(keys.empty()) << c.code;
        const RaisedEvent& last = keys.back();  // after the modifier's own key
        EXPECT_EQ(last.code, c.code);
        EXPECT_EQ(last.modifiers, c.modifiers) << c.code;
    }

    // The reading pane reports the right button with the pointer's place.
    // (Only the press: a release would open the edit box's own menu.)
    const POINT at = centreOf(N::编辑框1);
    POINT inPane = at;
    ScreenToClient(handleOf(N::编辑框1), &inPane);
    PostMessageW(handleOf(N::编辑框1), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT,
                 MAKELPARAM(inPane.x, inPane.y));
    pumpFor(50);
    const auto buttons = recorder->ofKind("rightButtonDown");
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0].control, N::编辑框1);
    EXPECT_EQ(buttons[0].point.x, at.x);
    EXPECT_EQ(buttons[0].point.y, at.y);
    EXPECT_EQ(buttons[0].modifiers, 2);
}

TEST_F(WindowTest, AHandlerThatThrowsLeavesTheWindowWorking) {
    afterEachEvent = [](const RaisedEvent& e) {
        if (e.kind == "keyPressed" || e.kind == "sizeChanged")
            throw std::runtime_error("handler failed");
    };
    reopen();  // its size events throw already
    recorder->passOn = false;
    form->setTrackbarPosition(kChaptersMode);
    app->window().applyPanelMode();
    TextTable& chapters = form->table(N::超级列表框章节);
    fill(chapters, 5);
    chapters.setCurrentRow(0);
    focus(N::超级列表框章节);

    pressKey(VK_DOWN);
    EXPECT_EQ(recorder->ofKind("keyPressed").size(), 1u);
    EXPECT_EQ(chapters.currentRow(), 1);  // the list still handled the key
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(pumpUntil([&] { return !form->exists(); }));
}

}  // namespace
}  // namespace qm::win32::testing
