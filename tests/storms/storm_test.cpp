// Storms of input while the reader waits on slow fetches: the reader wired
// as the program wires it (the headless window, the real sources), against
// pages the test server hands out only after a delay. The input queued
// meanwhile runs nested in the commands' processing of pending events, one
// level inside the other. Afterwards the reader agrees with itself: both
// tables numbered 1 ... n in order, the current chapter row in range or -1,
// and for a current chapter its title in the caption and its text in the
// pane.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/headless/headless_form.h"
#include "platform/headless/headless_services.h"
#include "reader/form_description.h"
#include "reader/reader_app.h"

namespace qm::testing {
namespace {

using N = ControlName;

constexpr int kUp = 38, kRight = 39, kDown = 40;

Text testServer() {
    const char* base = std::getenv("QM_TEST_SERVER");
    return base != nullptr ? base : "http://127.0.0.1:18391/";
}

// Every page a few milliseconds late; source TWO's search page names its
// site with the same delay.
Text slowStorms() {
    return testServer() + "slow/5/storms/";
}

class Storm : public ::testing::Test {
  protected:
    void SetUp() override {
        prepareSharedPattern();
        form.create(app.events());
        // Virtual time passes in every processing of events, as during a
        // fetch: the panel timer ticks among the storm.
        form.setTimePerPump(10);
    }

    void search(ControlName source, const Text& keyword) {
        form.click(source);
        form.click(N::编辑框搜索);
        form.setText(N::编辑框搜索, keyword);
        form.click(N::按钮搜索);
    }

    void openFirstChapterOf(ControlName source, const Text& keyword, int novelRow) {
        search(source, keyword);
        form.clickRow(N::超级列表框小说显示, novelRow);
        form.clickRow(N::超级列表框章节, 0);
    }

    // Input that arrives while the next command waits: it runs at that
    // command's first processing of pending events.
    void meanwhile(std::function<void()> input) { form.post(std::move(input)); }

    static void expectNumbered(const TextTable& table) {
        for (int r = 0; r < table.rowCount(); ++r) {
            ASSERT_EQ(table.cell(r, 0), std::to_string(r + 1)) << "row " << r;
        }
    }

    void expectAgreesWithItself() {
        EXPECT_EQ(form.pendingEvents(), 0);
        const TextTable& chapters = app.state().chapterTable();
        expectNumbered(app.state().novelTable());
        expectNumbered(chapters);
        const int row = chapters.currentRow();
        ASSERT_GE(row, -1);
        ASSERT_LT(row, chapters.rowCount());
        if (row >= 0) {
            EXPECT_EQ(form.caption(), chapters.cell(row, 1));
            // The made-up chapter names its own address, which ends in the key.
            EXPECT_NE(form.text(N::编辑框1).find(chapters.cell(row, 2)), Text::npos)
                << chapters.cell(row, 2);
        }
    }

    HeadlessForm form;
    HeadlessServices services{form};
    ReaderApp app{
        form, services,
        SiteConfig{slowStorms() + "one/", slowStorms() + "one-text/novel/", slowStorms() + "two/"}};
};

TEST_F(Storm, FiftyDownKeysDuringAChapterStepEachTakeAStep) {
    openFirstChapterOf(N::单选框one, "雾港", 0);
    ASSERT_EQ(app.state().chapterTable().rowCount(), 60);
    for (int i = 0; i < 50; ++i) {
        meanwhile([this, i] {
            form.pressKey(i % 2 == 0 ? N::超级列表框章节 : N::编辑框1, i % 2 == 0 ? kDown : kRight);
        });
    }
    form.pressKey(N::超级列表框章节, kDown);

    expectAgreesWithItself();
    EXPECT_EQ(app.state().chapterTable().currentRow(), 51);
    EXPECT_TRUE(services.messages().empty());
}

TEST_F(Storm, DownKeysPastTheLastChapterStopThere) {
    openFirstChapterOf(N::单选框two, "灯", 1);  // twelve chapters
    ASSERT_EQ(app.state().chapterTable().rowCount(), 12);
    for (int i = 0; i < 20; ++i) meanwhile([this] { form.pressKey(N::编辑框1, kRight); });
    form.pressKey(N::编辑框1, kRight);

    expectAgreesWithItself();
    EXPECT_EQ(app.state().chapterTable().currentRow(), 11);
    EXPECT_FALSE(services.messages().empty());
}

// Everything at once, in an order drawn from a fixed sequence of numbers:
// searches on both sites, other novels opened, chapters clicked and stepped
// through, the panel collapsed and the trackbar moved, all queued while a
// command waits, round after round.
TEST_F(Storm, MixedInputDuringSearchesListsAndStepsLeavesAConsistentReader) {
    std::minstd_rand draw(20261211);
    const std::vector<std::function<void()>> inputs = {
        [this] { search(N::单选框one, "雾港"); },
        [this] { search(N::单选框two, "灯"); },
        [this] { search(N::单选框one, "nothing found"); },
        [this, &draw] { form.clickRow(N::超级列表框小说显示, static_cast<int>(draw() % 4) - 1); },
        [this, &draw] {
            const int rows = app.state().chapterTable().rowCount();
            form.clickRow(N::超级列表框章节, rows > 0 ? static_cast<int>(draw() % rows) : 0);
        },
        [this] { form.pressKey(N::超级列表框章节, kDown); },
        [this] { form.pressKey(N::超级列表框章节, kUp); },
        [this] { form.pressKey(N::编辑框1, kRight); },
        [this] { form.click(N::图形按钮1); },
        [this, &draw] { form.moveTrackbar(1 + static_cast<int>(draw() % 2)); },
    };
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        for (int i = 0; i < 30; ++i) meanwhile(inputs[draw() % inputs.size()]);
        inputs[draw() % inputs.size()]();
        form.pump();
        expectAgreesWithItself();
    }
}

}  // namespace
}  // namespace qm::testing
