// Creation, the tray icon and its menu, minimising to the tray and closing.
#include <optional>

#include "tests/reader/window_fixture.h"

namespace qm::testing {
namespace {

constexpr ScreenPoint kPointer{100, 200};

TEST_F(UncreatedWindow, CreationRunsItsHandlersInOrderBeforeTheWindowIsShown) {
    create();
    const std::vector<Text> expectedStart{
        "> created",
        "addTrayIcon Quillmere!",
        "focusWindow",
        "setTextColour 编辑框搜索 8421504",
        "setText 编辑框搜索 输入搜索内容",
        "> positionChanged",
        "> sizeChanged",
    };
    const auto& log = form.changes();
    ASSERT_GE(log.size(), expectedStart.size());
    EXPECT_EQ(std::vector<Text>(log.begin(), log.begin() + expectedStart.size()), expectedStart);
    // The whole layout has been applied when the window first shows.
    EXPECT_EQ(log.back(), "window shown");
    EXPECT_LT(indexOf("setHeight 超级列表框章节 314"), indexOf("window shown"));
    EXPECT_TRUE(form.windowShown());
    EXPECT_EQ(services.trayTip(), "Quillmere!");
    EXPECT_EQ(form.focusedControl(), std::nullopt) << "no control has the focus at first";
}

TEST_F(Window, StartsInSearchModeWithSourceOneAndThePlaceholder) {
    EXPECT_EQ(visibleControls(),
              (std::vector<ControlName>{N::单选框two, N::单选框one, N::图形按钮1, N::编辑框1,
                                        N::超级列表框小说显示, N::滑块条1, N::按钮搜索,
                                        N::编辑框搜索, N::分组框1}));
    EXPECT_EQ(form.caption(), "Quillmere");
    EXPECT_EQ(form.text(N::编辑框搜索), "输入搜索内容");
    EXPECT_EQ(form.textColour(N::编辑框搜索), 8421504);
    EXPECT_FALSE(services.modeTooltipCreated()) << "no mode is applied at start";
    EXPECT_TRUE(form.checked(N::单选框one));
    EXPECT_FALSE(form.checked(N::单选框two));
    form.click(N::单选框two);
    EXPECT_FALSE(form.checked(N::单选框one));
    EXPECT_TRUE(form.checked(N::单选框two));
}

TEST(TrayTip, EveryLaterUpdateUsesTheFullWidthMark) {
    struct Case {
        const char* trigger;
        void (*act)(HeadlessForm&, HeadlessServices&);
    };
    const Case cases[] = {
        {"minimise", [](HeadlessForm& f, HeadlessServices&) { f.minimise(); }},
        {"left click", [](HeadlessForm& f, HeadlessServices&) { f.trayAction(1); }},
        {"tray menu cancelled", [](HeadlessForm& f, HeadlessServices&) { f.trayAction(3); }},
    };
    for (const Case& c : cases) {
        WiredWindow w;
        w.create();
        c.act(w.form, w.services);
        EXPECT_EQ(w.services.trayTip(), "Quillmere！") << c.trigger;
        w.form.trayAction(1);
        EXPECT_EQ(w.services.trayTip(), "Quillmere！") << c.trigger << ", then a left click";
    }
}

TEST_F(Window, MinimisingHidesTheWindowToTheTrayAndCodeOneBringsItBack) {
    form.minimise();
    EXPECT_FALSE(form.windowShown());
    EXPECT_EQ(form.windowState(), kWindowMinimised);
    EXPECT_EQ(changesStartingWith("updateTrayIcon"),
              std::vector<Text>{"updateTrayIcon Quillmere！"});
    EXPECT_LT(indexOf("updateTrayIcon Quillmere！"), indexOf("hideWindow"));

    // A double-click delivers 1, 2, 1: the first release restores, 2 does
    // nothing, the second release only activates.
    form.clearChanges();
    form.trayAction(1);
    EXPECT_TRUE(form.windowShown());
    EXPECT_EQ(form.windowState(), kWindowNormal);
    EXPECT_EQ(form.width(N::编辑框1), 410) << "the layout follows the restore";
    const std::size_t afterFirst = form.changes().size();
    form.trayAction(2);
    EXPECT_EQ(form.changes().size(), afterFirst + 1) << "code 2 changes nothing";
    form.trayAction(1);
    EXPECT_EQ(changesStartingWith("restoreWindow"), std::vector<Text>{"restoreWindow"});
    EXPECT_EQ(changesStartingWith("activateWindow"), std::vector<Text>{"activateWindow"});
}

TEST_F(Window, MovingMaximisingAndRestoringKeepTheWindowShown) {
    form.maximise(900, 700);
    EXPECT_TRUE(form.windowShown());
    form.restore();
    EXPECT_TRUE(form.windowShown());
    EXPECT_TRUE(changesStartingWith("hideWindow").empty());
    EXPECT_TRUE(changesStartingWith("updateTrayIcon").empty());
}

TEST_F(Window, TrayCodesOtherThanOneAndThreeDoNothing) {
    for (int code : {0, 2, 4, -1, 513}) {
        form.clearChanges();
        form.trayAction(code);
        EXPECT_EQ(form.changes(), std::vector<Text>{"> trayEvent " + std::to_string(code)});
    }
}

TEST_F(Window, RightClickPopsUpTheTrayMenuBesideThePointerThenUpdatesTheTip) {
    services.setCursorPosition(kPointer);
    for (bool hidden : {false, true}) {
        if (hidden) form.minimise();
        form.clearChanges();
        form.trayAction(3);  // no answer scripted: the menu is cancelled
        EXPECT_EQ(form.changes(), (std::vector<Text>{"> trayEvent 3", "popupMenu 菜单 103 203",
                                                     "updateTrayIcon Quillmere！"}));
        EXPECT_EQ(form.windowShown(), !hidden) << "the window stays as it was";
    }
    ASSERT_EQ(services.menusShown().size(), 2u);
    EXPECT_EQ(services.menusShown()[1].menu, MenuName::菜单);
}

TEST_F(Window, ExitFromTheTrayMenuOfTheHiddenWindowDestroysItAndItsIcon) {
    form.minimise();
    services.answerNextMenu(MenuItem::退出);
    form.trayAction(3);
    EXPECT_FALSE(form.destroyed()) << "the choice arrives after the menu has closed";
    EXPECT_EQ(services.trayTip(), "Quillmere！");
    form.pump();
    EXPECT_TRUE(form.destroyed());
    EXPECT_FALSE(services.trayIconShown());
}

TEST_F(Window, ExitCommandDestroysTheWindowOnlyAfterItsHandlerReturns) {
    logic.exitCommand();
    EXPECT_FALSE(form.destroyed());
    form.pump();
    EXPECT_TRUE(form.destroyed());
}

TEST(Escape, ClosesTheWindowFromAnyControl) {
    for (ControlName control : {N::编辑框1, N::编辑框搜索, N::超级列表框章节, N::滑块条1}) {
        WiredWindow w;
        w.create();
        w.form.pressKey(control, 27);
        w.form.pump();
        EXPECT_TRUE(w.form.destroyed()) << nameOf(control);
        EXPECT_TRUE(w.sources.calls.empty());
    }
}

// Where the tray icon cannot be added, a window hidden on minimising could
// never come back: it stays minimised on the taskbar instead.
TEST_F(UncreatedWindow, WithoutATrayTheMinimisedWindowStaysOnTheTaskbar) {
    services.setTrayAvailable(false);
    create();
    EXPECT_FALSE(services.trayIconShown());
    form.minimise();
    EXPECT_TRUE(form.windowShown());
    EXPECT_EQ(form.windowState(), kWindowMinimised);
    EXPECT_TRUE(changesStartingWith("hideWindow").empty());
    EXPECT_EQ(form.top(N::滑块条1), -30) << "the layout runs as usual";
    form.restore();
    EXPECT_EQ(form.top(N::滑块条1), 369);
    EXPECT_EQ(form.width(N::编辑框1), 410);
}

}  // namespace
}  // namespace qm::testing
