// Input that arrives while a command waits on a fetch runs nested inside that
// command's event processing; afterwards the state must still agree with
// itself: the caption and the pane show the chapter of the current row.
#include <string>
#include <vector>

#include "tests/reader/commands_fixture.h"

namespace qm::testing {
namespace {

class NestingTest : public CommandsTest {
  protected:
    // The next chapter fetch lets `work` arrive, as if the user acted while it
    // blocked; it then runs at the next processing of pending events.
    void duringNextChapterFetch(std::function<void()> work) {
        sources.actions["showChapterOne"] = [this, work] {
            sources.actions.erase("showChapterOne");
            pending.push_back(work);
        };
    }

    void expectShowsCurrentChapter() {
        const int row = state.chapterTable().currentRow();
        EXPECT_EQ(state.caption(), chapterTitle(row));
        EXPECT_EQ(state.readingText(), "text of " + chapterKey(row));
    }
};

TEST_F(NestingTest, AKeyPressedDuringAChapterStepTakesItsOwnStep) {
    const struct {
        const char* what;
        int startRow;
        int outerKey;
        int nestedKey;
        int endRow;
        int lastChapterBoxes;
    } cases[] = {
        {"Down during Down", 4, 40, 40, 6, 0},
        {"Up during Down", 4, 40, 38, 4, 0},
        {"Down during Up", 4, 38, 40, 4, 0},
        // The nested step reaches the last row and gives the notice; the
        // outer one had not, so the notice comes once.
        {"Down during Down onto the last row", 7, 40, 40, 9, 1},
        {"Down during Down on the last row", 9, 40, 40, 9, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        openNovelOfSourceOne(10);
        state.chapterTable().setCurrentRow(c.startRow);
        boxes.clear();
        duringNextChapterFetch([this, key = c.nestedKey] { commands.chapterListKeys(key, 0); });

        commands.chapterListKeys(c.outerKey, 0);

        EXPECT_TRUE(pending.empty());
        EXPECT_EQ(state.chapterTable().currentRow(), c.endRow);
        expectShowsCurrentChapter();
        EXPECT_EQ(static_cast<int>(boxes.size()), c.lastChapterBoxes);
    }
}

TEST_F(NestingTest, AMenuStepDuringAPaneStepLeavesAConsistentState) {
    openNovelOfSourceOne(5);
    state.chapterTable().setCurrentRow(1);
    duringNextChapterFetch([this] { commands.previousChapterCommand(); });
    commands.readingPaneKeys(39, 0);
    EXPECT_EQ(state.chapterTable().currentRow(), 1);
    expectShowsCurrentChapter();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NestingTest, ASearchDuringOpenNovelKeepsTheOpenedNovel) {
    fillNovels({{"书一", "b1", "bukanshu"}});
    state.novelTable().setCurrentRow(0);
    sources.actions["listChaptersOne"] = [this] {
        fillChapters(3);
        pending.push_back([this] { commands.searchCommand(); });
    };
    sources.actions["searchSourceOne"] = [this] {
        fillNovels({{"新书", "9_9", "ranwen"}, {"又一本", "8_8", "ranwen"}});
    };
    state.setSearchText("新");

    commands.openNovel();

    EXPECT_EQ(state.novelTable().rowCount(), 2);
    EXPECT_EQ(state.novelTable().currentRow(), -1);
    EXPECT_EQ(state.novels().lastVisibleRow(), -1);  // the row read afresh: none
    EXPECT_EQ(state.panelTimer(), 0);
    EXPECT_EQ(state.panelMode(), 2);
    EXPECT_EQ(state.chaptersLabel(), "小说: 书一 的全部章节");
    EXPECT_EQ(state.rememberedNovel().bookKey, "b1");

    log.clear();
    commands.chapterListKeys(40, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"showChapterOne", kEvents, kEvents}));
    expectShowsCurrentChapter();
}

TEST_F(NestingTest, ANovelClickedDuringOpenNovelWinsOverTheFirst) {
    fillNovels({{"书一", "b1", "bukanshu"}, {"书二", "2_2", "ranwen"}});
    state.novelTable().setCurrentRow(0);
    sources.actions["listChaptersOne"] = [this] {
        fillChapters(3);
        pending.push_back([this] {
            state.novelTable().setCurrentRow(1);  // the click selects, then raises the event
            commands.openNovel();
        });
    };
    sources.actions["listChaptersTwo"] = [this] { fillChapters(4); };

    commands.openNovel();

    EXPECT_EQ(state.chaptersLabel(), "小说: 书二 的全部章节");
    EXPECT_EQ(state.rememberedNovel().sourceTag, "ranwen");
    EXPECT_EQ(state.rememberedNovel().bookKey, "2_2");
    EXPECT_EQ(state.novels().lastVisibleRow(), 1);
    EXPECT_EQ(state.panelTimer(), 0);
    EXPECT_EQ(state.chapterTable().rowCount(), 4);

    log.clear();
    commands.readingPaneKeys(39, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"showChapterTwo", kEvents, kEvents}));
}

}  // namespace
}  // namespace qm::testing
