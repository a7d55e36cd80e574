// The reader's commands against an in-memory state: guards and their boxes,
// routing by source tag, the order of source calls and event processing.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/reader/commands_fixture.h"

namespace qm::testing {
namespace {

using Log = std::vector<std::string>;

constexpr char kPlaceholder[] = "输入搜索内容";
constexpr int kStop = 16;
constexpr int kInformation = 64;

void expectOneBox(const std::vector<ShownMessage>& boxes, const Text& text, const Text& title,
                  int flags) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].title, title);
    EXPECT_EQ(boxes[0].flags, flags);
}

// ---- search ---------------------------------------------------------------

struct SearchCase {
    const char* what;
    Text searchText;
    bool oneChecked;
    bool twoChecked;
    int keyCode;  // 0: the search button; otherwise a key in the search box
    int modifiers;
    Log expected;
};

TEST_F(CommandsTest, SearchRunsTheCheckedSourceAfterTheButtonsPlaceholderGuard) {
    const Log guard = {kBox};
    const std::vector<SearchCase> cases = {
        {"button, keyword, ONE", "斗罗", true, false, 0, 0, {"searchSourceOne"}},
        {"button, keyword, TWO", "斗罗", false, true, 0, 0, {"searchSourceTwo"}},
        {"button, both checked: ONE wins", "斗罗", true, true, 0, 0, {"searchSourceOne"}},
        {"button, neither checked", "斗罗", false, false, 0, 0, {}},
        {"button, empty keyword", "", true, false, 0, 0, {"searchSourceOne"}},
        {"button, placeholder", kPlaceholder, true, false, 0, 0, guard},
        {"button, placeholder, neither checked", kPlaceholder, false, false, 0, 0, guard},
        {"button, placeholder with a blank",
         std::string(kPlaceholder) + " ",
         true,
         false,
         0,
         0,
         {"searchSourceOne"}},
        {"Enter, placeholder: no guard", kPlaceholder, true, false, 13, 0, {"searchSourceOne"}},
        {"Enter, empty keyword, TWO", "", false, true, 13, 0, {"searchSourceTwo"}},
        {"Ctrl+Enter", "x", true, false, 13, 1, {"searchSourceOne"}},
        {"Shift+Enter", "x", false, true, 13, 2, {"searchSourceTwo"}},
        {"Ctrl+Shift+Alt+Enter", "x", true, false, 13, 7, {"searchSourceOne"}},
        {"Enter, neither checked", "x", false, false, 13, 0, {}},
        {"another key", "x", true, false, 65, 0, {}},
        {"line feed is not Enter", "x", true, false, 10, 0, {}},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.what);
        log.clear();
        boxes.clear();
        state.setSearchText(c.searchText);
        state.setSourceOneChecked(c.oneChecked);
        state.setSourceTwoChecked(c.twoChecked);
        if (c.keyCode == 0) {
            commands.searchCommand();
        } else {
            commands.searchBoxKeys(c.keyCode, c.modifiers);
        }
        // No event processing of their own: that is the sources' part.
        EXPECT_EQ(log, c.expected);
        if (c.expected == guard) expectOneBox(boxes, "请输入搜索关键字!!", "搜索提示！", kStop);
    }
}

// ---- opening a novel ------------------------------------------------------

TEST_F(CommandsTest, OpenNovelRoutesByTheExactTagBukanshu) {
    const Log one = {"listChaptersOne", "computeTextStoreDir", kEvents, kEvents};
    const Log two = {"listChaptersTwo", kEvents, kEvents};
    const struct {
        Text tag;
        Log expected;
    } cases[] = {
        {"bukanshu", one}, {"ranwen", two},    {"Bukanshu", two}, {"BUKANSHU", two},
        {"", two},         {"bukanshu ", two}, {"bukansh", two},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("tag '" + c.tag + "'");
        fillNovels({{"书一", "b1", c.tag}});
        state.novelTable().setCurrentRow(0);
        log.clear();
        commands.openNovel();
        EXPECT_EQ(log, c.expected);
        const RememberedNovel remembered = state.rememberedNovel();
        EXPECT_TRUE(remembered.known);
        EXPECT_EQ(remembered.sourceTag, c.tag);
        EXPECT_EQ(remembered.bookKey, "b1");
        EXPECT_EQ(state.panelTimer(), 0);
    }
}

TEST_F(CommandsTest, OpenNovelSetsLabelAndModeListsWithTheTimerRunningThenStopsIt) {
    fillNovels({{"书一", "b1", "ranwen"}, {"书二", "b2", "bukanshu"}, {"书三", "b3", "ranwen"}});
    state.novelTable().setCurrentRow(1);
    struct Seen {
        Text label;
        int mode;
        int timer;
        int visibleRow;
    };
    std::vector<Seen> atListing, atEvents;
    auto snapshot = [this] {
        return Seen{state.chaptersLabel(), state.panelMode(), state.panelTimer(),
                    state.novels().lastVisibleRow()};
    };
    sources.actions["listChaptersOne"] = [&] { atListing.push_back(snapshot()); };
    onEvents = [&] { atEvents.push_back(snapshot()); };

    commands.openNovel();

    const Text label = "小说: 书二 的全部章节";
    ASSERT_EQ(atListing.size(), 1u);
    EXPECT_EQ(atListing[0].label, label);
    EXPECT_EQ(atListing[0].mode, 2);
    EXPECT_EQ(atListing[0].timer, 10);
    // First processing with the timer still running (its tick applies the
    // mode), the second after it stopped and the novel row was scrolled to.
    ASSERT_EQ(atEvents.size(), 2u);
    EXPECT_EQ(atEvents[0].timer, 10);
    EXPECT_EQ(atEvents[0].visibleRow, -1);
    EXPECT_EQ(atEvents[1].timer, 0);
    EXPECT_EQ(atEvents[1].visibleRow, 1);
    EXPECT_EQ(state.chaptersLabel(), label);
    EXPECT_EQ(state.panelMode(), 2);
    EXPECT_EQ(state.panelTimer(), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsTest, OpenNovelWithoutABookKeyShowsTheBoxAndChangesNothing) {
    fillNovels({{"书一", "b1", "bukanshu"}, {"无键", "", "bukanshu"}});
    fillChapters(2);
    state.chapterTable().setCurrentRow(1);
    state.setChaptersLabel("旧标签");
    const struct {
        const char* what;
        int novelRow;
    } cases[] = {{"click on the empty space", -1}, {"row with an empty bookKey", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        log.clear();
        boxes.clear();
        state.novelTable().setCurrentRow(c.novelRow);
        commands.openNovel();
        expectOneBox(boxes, "请选中小说!", "提示", kStop);
        EXPECT_EQ(log, Log{kBox});
        EXPECT_EQ(state.chaptersLabel(), "旧标签");
        EXPECT_EQ(state.panelMode(), 1);
        EXPECT_EQ(state.panelTimer(), 0);
        EXPECT_FALSE(state.rememberedNovel().known);
        EXPECT_EQ(state.chapterTable().currentRow(), 1);
    }
}

// ---- opening and stepping through chapters --------------------------------

TEST_F(CommandsTest, OpenChapterShowsTheSelectedChapterThenProcessesEvents) {
    openNovelOfSourceOne(3);
    state.chapterTable().setCurrentRow(1);
    Text captionAtEvents;
    onEvents = [&] { captionAtEvents = state.caption(); };

    commands.openChapter();

    EXPECT_EQ(log, (Log{"showChapterOne", kEvents}));
    EXPECT_EQ(captionAtEvents, chapterTitle(1));
    EXPECT_EQ(state.readingText(), "text of " + chapterKey(1));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsTest, OpenChapterWithoutAChapterKeyShowsTheBox) {
    openNovelOfSourceOne(3);
    state.chapterTable().setCell(2, chapter_column::kChapterKey, "");
    state.setCaption("旧标题");
    for (const int row : {-1, 2}) {
        SCOPED_TRACE(row);
        log.clear();
        boxes.clear();
        state.chapterTable().setCurrentRow(row);
        commands.openChapter();
        expectOneBox(boxes, "请选中小说!", "提示", kStop);
        EXPECT_EQ(log, Log{kBox});
        EXPECT_EQ(state.caption(), "旧标题");
    }
}

struct StepCase {
    const char* what;
    int rows;
    int startRow;
    int keyCode;  // in the reading pane: 39 next, 37 previous
    int modifiers;
    int endRow;  // current chapter row afterwards; also the row the source was asked for
    bool lastChapterBox;
};

TEST_F(CommandsTest, ArrowKeysInTheReadingPaneStepThroughTheChapters) {
    const std::vector<StepCase> cases = {
        {"next from the middle", 10, 4, 39, 0, 5, false},
        {"next with Ctrl held", 10, 4, 39, 1, 5, false},
        {"next with no current row: row 0", 3, -1, 39, 0, 0, false},
        {"next onto the last row", 3, 1, 39, 0, 2, true},
        {"next on the last row stays and repeats", 3, 2, 39, 0, 2, true},
        {"next in an empty list", 0, -1, 39, 0, -1, true},
        {"next in a one-row list with no current row", 1, -1, 39, 0, 0, true},
        {"previous from the middle", 10, 4, 37, 0, 3, false},
        {"previous from the last row", 3, 2, 37, 0, 1, false},
        {"previous on row 0 leaves none", 3, 0, 37, 0, -1, false},
        {"previous with no current row", 3, -1, 37, 0, -1, false},
        {"previous in an empty list", 0, -1, 37, 0, -1, false},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.what);
        openNovelOfSourceOne(c.rows);
        state.chapterTable().setCurrentRow(c.startRow);
        state.setCaption("旧标题");
        boxes.clear();

        commands.readingPaneKeys(c.keyCode, c.modifiers);

        EXPECT_EQ(state.chapterTable().currentRow(), c.endRow);
        EXPECT_EQ(state.readingText(),
                  "text of " + state.chapterTable().cell(c.endRow, chapter_column::kChapterKey));
        EXPECT_EQ(state.caption(), c.endRow < 0 ? "" : chapterTitle(c.endRow));
        if (c.lastChapterBox) {
            // The chapter first, then the notice, then the key's own processing.
            EXPECT_EQ(log, (Log{"showChapterOne", kEvents, kBox, kEvents}));
            expectOneBox(boxes, "这是最后一章了!", "提示", kInformation);
        } else {
            EXPECT_EQ(log, (Log{"showChapterOne", kEvents, kEvents}));
            EXPECT_TRUE(boxes.empty());
        }
    }
}

TEST_F(CommandsTest, StepScrollsToTheTargetRowEvenPastTheEnds) {
    openNovelOfSourceOne(3);
    state.chapterTable().setCurrentRow(0);
    commands.previousChapter();
    EXPECT_EQ(state.chapters().lastVisibleRow(), -1);
    state.chapterTable().setCurrentRow(1);
    commands.nextChapter();
    EXPECT_EQ(state.chapters().lastVisibleRow(), 2);
}

TEST_F(CommandsTest, ChapterListKeysStepBeforeTheListMovesItself) {
    const struct {
        int keyCode;
        int endRow;
        Log expected;
    } cases[] = {
        {40, 5, {"showChapterOne", kEvents, kEvents}},
        {38, 3, {"showChapterOne", kEvents, kEvents}},
        {39, 4, {}},  // Right and Left belong to the reading pane
        {37, 4, {}},
        {13, 4, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyCode);
        openNovelOfSourceOne(10);
        state.chapterTable().setCurrentRow(4);
        commands.chapterListKeys(c.keyCode, 0);
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(state.chapterTable().currentRow(), c.endRow);
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(CommandsTest, ReadingPaneHandsQAndWToTheColourPickingKeys) {
    std::vector<int> picked;
    commands.setColourPickingKeys([&](int keyCode) {
        picked.push_back(keyCode);
        log.push_back("pick");
    });
    commands.readingPaneKeys(81, 0);
    commands.readingPaneKeys(87, 2);
    commands.readingPaneKeys(65, 0);
    EXPECT_EQ(picked, (std::vector<int>{81, 87}));
    EXPECT_EQ(log, (Log{"pick", kEvents, "pick", kEvents}));

    log.clear();
    commands.setColourPickingKeys(nullptr);
    commands.readingPaneKeys(81, 0);
    EXPECT_EQ(log, Log{kEvents});
}

TEST_F(CommandsTest, MenuItemsGuardOnTheChapterKeyThenStep) {
    const struct {
        const char* what;
        int rows;
        int startRow;
        bool next;
        int endRow;
        Log expected;
    } cases[] = {
        {"下一章, no current row", 3, -1, true, -1, {kBox}},
        {"上一章, no current row", 3, -1, false, -1, {kBox}},
        {"下一章, empty list", 0, -1, true, -1, {kBox}},
        {"下一章 from row 0", 3, 0, true, 1, {"showChapterOne", kEvents, kEvents}},
        {"上一章 from row 1", 3, 1, false, 0, {"showChapterOne", kEvents, kEvents}},
        {"下一章 onto the last", 3, 1, true, 2, {"showChapterOne", kEvents, kBox, kEvents}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        openNovelOfSourceOne(c.rows);
        state.chapterTable().setCurrentRow(c.startRow);
        state.setCaption("旧标题");
        boxes.clear();
        if (c.next) {
            commands.nextChapterCommand();
        } else {
            commands.previousChapterCommand();
        }
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(state.chapterTable().currentRow(), c.endRow);
        if (c.expected == Log{kBox}) {
            expectOneBox(boxes, "当前无小说，请搜索后再查看!", "提示", kStop);
            EXPECT_EQ(state.caption(), "旧标题");
        }
    }
}

// ---- the open novel -------------------------------------------------------

TEST_F(CommandsTest, ChapterCommandsKeepServingTheOpenedNovelAfterANewSearch) {
    openNovelOfSourceOne(3);
    // A search of source TWO replaces the hits and leaves no novel row current.
    sources.actions["searchSourceTwo"] = [this] {
        fillNovels({{"别的书", "9_9", "ranwen"}, {"又一本", "8_8", "ranwen"}});
    };
    state.setSourceOneChecked(false);
    state.setSourceTwoChecked(true);
    state.setSearchText("别的");
    commands.searchCommand();
    ASSERT_EQ(state.novelTable().currentRow(), -1);

    // Even with another novel's row current, the opened one is served.
    for (const int novelRow : {-1, 1}) {
        SCOPED_TRACE(novelRow);
        state.novelTable().setCurrentRow(novelRow);
        state.chapterTable().setCurrentRow(0);
        log.clear();
        commands.openChapter();
        commands.readingPaneKeys(39, 0);
        commands.chapterListKeys(38, 0);
        commands.nextChapterCommand();
        EXPECT_EQ(std::count(log.begin(), log.end(), "showChapterOne"), 4);
        EXPECT_EQ(std::count(log.begin(), log.end(), "showChapterTwo"), 0);
        EXPECT_EQ(state.rememberedNovel().bookKey, "b1");
    }
}

TEST_F(CommandsTest, BeforeAnyNovelWasOpenedTheCurrentNovelRowRoutes) {
    fillChapters(3);
    const struct {
        Text tag;
        int novelRow;
        const char* expected;
    } cases[] = {
        {"bukanshu", 0, "showChapterOne"},
        {"ranwen", 0, "showChapterTwo"},
        {"bukanshu", -1, "showChapterTwo"},  // no current row reads the empty tag
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag + " at row " + numberToText(c.novelRow));
        fillNovels({{"书", "b", c.tag}});
        state.novelTable().setCurrentRow(c.novelRow);
        state.chapterTable().setCurrentRow(0);
        log.clear();
        commands.openChapter();
        EXPECT_EQ(log, (Log{c.expected, kEvents}));
    }
}

}  // namespace
}  // namespace qm::testing
