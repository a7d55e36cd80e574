// The panel's two faces, the panel timer, the search box's placeholder and
// where the focus goes.
#include <optional>

#include "tests/reader/window_fixture.h"

namespace qm::testing {
namespace {

const std::vector<ControlName> kSearchFace{N::单选框two, N::单选框one,          N::图形按钮1,
                                           N::编辑框1,   N::超级列表框小说显示, N::滑块条1,
                                           N::按钮搜索,  N::编辑框搜索,         N::分组框1};
const std::vector<ControlName> kChaptersFace{N::标签小说, N::超级列表框章节, N::图形按钮1,
                                             N::编辑框1,  N::滑块条1,        N::分组框1};

TEST_F(Window, MovingTheTrackbarShowsTheFaceItNamesWithItsTip) {
    const int novel = form.novels().appendRow();
    form.novels().setCell(novel, 1, "小说甲");
    form.setText(N::标签小说, "小说: 甲 的全部章节");
    struct Step {
        int position;
        const std::vector<ControlName>& face;
        const char* tip;
    };
    const Step steps[] = {
        {2, kChaptersFace, "查看小说章节"},
        {2, kChaptersFace, "查看小说章节"},  // applied again: nothing changes
        {1, kSearchFace, "搜索小说区"},
        {1, kSearchFace, "搜索小说区"},
        {2, kChaptersFace, "查看小说章节"},
    };
    for (const Step& step : steps) {
        form.moveTrackbar(step.position);
        EXPECT_EQ(visibleControls(), step.face) << "position " << step.position;
        EXPECT_EQ(services.modeTooltipText(), step.tip);
    }
    EXPECT_EQ(form.novels().rowCount(), 1);
    EXPECT_EQ(form.novels().cell(novel, 1), "小说甲");
    EXPECT_EQ(form.text(N::标签小说), "小说: 甲 的全部章节");
}

TEST_F(Window, SearchModeShowsItsControlsInOrderThenSetsTheTip) {
    form.moveTrackbar(1);
    EXPECT_EQ(
        changesStartingWith("s"),
        (std::vector<Text>{"show 编辑框搜索 1", "show 按钮搜索 1", "show 超级列表框小说显示 1",
                           "show 单选框one 1", "show 单选框two 1", "setModeTooltip 搜索小说区",
                           "show 超级列表框章节 0", "show 标签小说 0"}));
}

TEST_F(Window, APanelTimerTickAppliesTheModeTheProgramSet) {
    state.setPanelMode(2);
    EXPECT_EQ(visibleControls(), kSearchFace) << "setting the trackbar raises nothing";
    state.setPanelTimer(10);
    form.advance(9);
    EXPECT_EQ(visibleControls(), kSearchFace);
    form.advance(1);
    EXPECT_EQ(visibleControls(), kChaptersFace);
    EXPECT_EQ(services.modeTooltipText(), "查看小说章节");

    state.setPanelMode(1);
    form.advance(10);
    EXPECT_EQ(visibleControls(), kSearchFace) << "a tick with the trackbar at 1";
    state.setPanelTimer(0);
    state.setPanelMode(2);
    form.advance(100);
    EXPECT_EQ(visibleControls(), kSearchFace) << "a stopped timer does not tick";
}

TEST_F(Window, CollapsingInChaptersModeAndExpandingShowsChaptersMode) {
    form.moveTrackbar(2);
    form.click(N::图形按钮1);
    EXPECT_EQ(visibleControls(), (std::vector<ControlName>{N::图形按钮1, N::编辑框1}));
    EXPECT_TRUE(form.shown(N::超级列表框章节)) << "controls keep their own shown flags";
    form.click(N::图形按钮1);
    EXPECT_EQ(visibleControls(), kChaptersFace);
}

// The placeholder through a sequence of focus changes and typing.
TEST_F(Window, ThePlaceholderFollowsTheFocusAndTheText) {
    struct Step {
        const char* what;
        std::optional<Text> typed;  // the user's text while the box has the focus
        Text textAfterLeaving;
        int colourAfterLeaving;
    };
    const Step steps[] = {
        {"left empty", std::nullopt, "输入搜索内容", 8421504},
        {"a keyword", Text("诛仙"), "诛仙", 0},
        {"the keyword again, untouched", std::nullopt, "诛仙", 0},
        {"only blanks", Text("  "), "  ", 0},
        {"emptied", Text(), "输入搜索内容", 8421504},
        {"the placeholder's words typed", Text("输入搜索内容"), "输入搜索内容", 0},
    };
    for (const Step& step : steps) {
        const Text before = form.text(N::编辑框搜索);
        form.focus(N::编辑框搜索);
        if (before == "输入搜索内容") {
            EXPECT_EQ(form.text(N::编辑框搜索), "") << step.what;
            EXPECT_EQ(form.textColour(N::编辑框搜索), 0) << step.what;
        } else {
            EXPECT_EQ(form.text(N::编辑框搜索), before) << step.what;
        }
        if (step.typed) form.setText(N::编辑框搜索, *step.typed);
        form.focus(N::编辑框1);
        EXPECT_EQ(form.text(N::编辑框搜索), step.textAfterLeaving) << step.what;
        EXPECT_EQ(form.textColour(N::编辑框搜索), step.colourAfterLeaving) << step.what;
    }
    // Typed in black, yet still the placeholder's text: the next focus
    // empties it.
    form.focus(N::编辑框搜索);
    EXPECT_EQ(form.text(N::编辑框搜索), "");
}

TEST_F(Window, PlaceholderStepsComeInTheirOrder) {
    form.focus(N::编辑框搜索);
    form.focus(N::编辑框1);
    EXPECT_EQ(
        changesStartingWith("set"),
        (std::vector<Text>{"setText 编辑框搜索 ", "setTextColour 编辑框搜索 0",
                           "setTextColour 编辑框搜索 8421504", "setText 编辑框搜索 输入搜索内容"}));
}

TEST_F(Window, SearchingWithThePlaceholderAsksForAKeyword) {
    form.click(N::按钮搜索);
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].text, "请输入搜索关键字!!");
    EXPECT_TRUE(sources.calls.empty());
}

// Activating the window when no control had the focus gives it to the first
// visible one of the focus order.
TEST(Focus, GoesToTheFirstVisibleControlOfTheFocusOrder) {
    struct Case {
        const char* what;
        void (*arrange)(HeadlessForm&);
        ControlName focused;
    };
    const Case cases[] = {
        {"search mode", [](HeadlessForm&) {}, N::编辑框搜索},
        {"chapters mode", [](HeadlessForm& f) { f.moveTrackbar(2); }, N::滑块条1},
        {"collapsed", [](HeadlessForm& f) { f.click(N::图形按钮1); }, N::编辑框1},
    };
    for (const Case& c : cases) {
        WiredWindow w;
        w.create();
        c.arrange(w.form);
        w.form.focusWindow();  // the focus on the window itself, as at start
        EXPECT_EQ(w.form.focusedControl(), c.focused) << c.what;
        if (c.focused == N::编辑框搜索) {
            EXPECT_EQ(w.form.text(N::编辑框搜索), "") << "the placeholder goes";
        }
    }
}

// Deactivated and activated again, the window gives the focus back to the
// control that had it.
TEST_F(Window, ReactivationGivesTheFocusBackToTheControlThatHadIt) {
    form.focus(N::超级列表框小说显示);
    form.deactivate();
    EXPECT_EQ(form.focusedControl(), std::nullopt);
    form.activate();
    EXPECT_EQ(form.focusedControl(), N::超级列表框小说显示);
}

}  // namespace
}  // namespace qm::testing
