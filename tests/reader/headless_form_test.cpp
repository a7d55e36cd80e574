// The headless window itself: the clamps, its timers on the virtual clock, its
// event queue and the events its window-state changes raise.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_form.h"
#include "reader/form_description.h"
#include "toolkit/event_pump.h"

namespace qm::testing {
namespace {

using N = ControlName;

class EventLog : public FormEvents {
  public:
    std::vector<std::string> events;
    std::function<void(ControlName)> onTick;

    void onCreated() override { events.push_back("created"); }
    void onPositionChanged() override { events.push_back("position"); }
    void onSizeChanged() override { events.push_back("size"); }
    void onTrayEvent(int code) override { events.push_back("tray " + std::to_string(code)); }
    void onTrackbarMoved() override { events.push_back("trackbar"); }
    void onTimerTick(ControlName timer) override {
        events.push_back(nameOf(timer));
        if (onTick) onTick(timer);
    }
    void onClicked(ControlName c) override { events.push_back("click " + nameOf(c)); }
    void onGotFocus(ControlName c) override { events.push_back("got " + nameOf(c)); }
    void onLostFocus(ControlName c) override { events.push_back("lost " + nameOf(c)); }
    void onKeyPressed(ControlName c, int key, int) override {
        events.push_back("key " + nameOf(c) + " " + std::to_string(key));
    }
    void onRightButtonDown(ControlName, ScreenPoint, int) override { events.push_back("right"); }
    void onMenuItem(MenuItem) override { events.push_back("menu"); }
};

class Headless : public ::testing::Test {
  protected:
    void SetUp() override {
        form.create(log);
        log.events.clear();
    }
    HeadlessForm form;
    EventLog log;
};

TEST(FormClamps, PositionsAndSizes) {
    struct Case {
        int value, position, size;
    };
    const Case cases[] = {
        {0, 0, 0},
        {-1, -1, 0},
        {32627, 32627, 32627},
        {32628, 32627, 32627},
        {-32628, -32627, 0},
        {2147483647, 32627, 32627},
        {-2147483647 - 1, -32627, 0},
    };
    HeadlessForm form;
    for (const Case& c : cases) {
        EXPECT_EQ(clampPosition(c.value), c.position) << c.value;
        EXPECT_EQ(clampSize(c.value), c.size) << c.value;
        form.setLeft(N::编辑框1, c.value);
        form.setTop(N::编辑框1, c.value);
        form.setWidth(N::编辑框1, c.value);
        form.setHeight(N::编辑框1, c.value);
        EXPECT_EQ(form.left(N::编辑框1), c.position) << c.value;
        EXPECT_EQ(form.top(N::编辑框1), c.position) << c.value;
        EXPECT_EQ(form.width(N::编辑框1), c.size) << c.value;
        EXPECT_EQ(form.height(N::编辑框1), c.size) << c.value;
    }
}

TEST(FormDescription, EveryControlIsFoundByItsName) {
    for (const ControlSpec& described : formControls()) {
        EXPECT_EQ(controlSpec(described.name).name, described.name) << nameOf(described.name);
    }
    EXPECT_EQ(formControls().size(), 15u);
    EXPECT_EQ(menuOf(MenuItem::退出), MenuName::菜单);
    EXPECT_EQ(menuOf(MenuItem::设置透明度), MenuName::转章节);
}

TEST(HeadlessText, EndsAtTheFirstZeroByte) {
    HeadlessForm form;
    form.setText(N::编辑框1, Text("ab\0cd", 5));
    form.setCaption(Text("\0x", 2));
    EXPECT_EQ(form.text(N::编辑框1), "ab");
    EXPECT_EQ(form.caption(), "");
}

TEST_F(Headless, TimersTickInTimeOrderOnTheVirtualClock) {
    form.setTimerPeriod(N::时钟1, 10);
    form.setTimerPeriod(N::时钟2, 25);
    form.advance(50);
    // At 50 both are due: the form's order puts 时钟2 first.
    EXPECT_EQ(log.events, (std::vector<std::string>{"时钟1", "时钟1", "时钟2", "时钟1", "时钟1",
                                                    "时钟2", "时钟1"}));
    EXPECT_EQ(form.now(), 50);
}

TEST_F(Headless, SettingTheSamePeriodKeepsTheTimerRunningAndZeroOrLessStopsIt) {
    form.setTimerPeriod(N::时钟1, 10);
    form.advance(6);
    form.setTimerPeriod(N::时钟1, 10);  // not restarted: the tick stays due at 10
    form.advance(4);
    EXPECT_EQ(log.events.size(), 1u);
    form.setTimerPeriod(N::时钟1, 20);  // restarted: next at 30
    form.advance(19);
    EXPECT_EQ(log.events.size(), 1u);
    form.advance(1);
    EXPECT_EQ(log.events.size(), 2u);
    for (int stop : {0, -5}) {
        form.setTimerPeriod(N::时钟1, 20);
        form.setTimerPeriod(N::时钟1, stop);
        EXPECT_EQ(form.timerPeriod(N::时钟1), 0);
        form.advance(100);
        EXPECT_EQ(log.events.size(), 2u) << stop;
    }
}

TEST_F(Headless, ATickHandlerStoppingItsTimerEndsTheTicks) {
    form.setTimerPeriod(N::时钟1, 10);
    log.onTick = [this](ControlName timer) { form.setTimerPeriod(timer, 0); };
    form.advance(100);
    EXPECT_EQ(log.events, std::vector<std::string>{"时钟1"});
}

TEST_F(Headless, QueuedEventsRunInOrderAlsoNestedInAnEarlierOne) {
    std::vector<int> ran;
    form.post([&] {
        ran.push_back(1);
        form.post([&] { ran.push_back(4); });
        processPendingEvents();  // runs 2, 3 and the new 4 inside 1
        ran.push_back(5);
    });
    form.post([&] { ran.push_back(2); });
    form.post([&] { ran.push_back(3); });
    form.pump();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(form.pendingEvents(), 0);
}

TEST_F(Headless, PumpingStopsOnceTheWindowIsDestroyed) {
    bool ranBefore = false;
    bool ranAfter = false;
    form.post([&] {
        form.destroyWindow();  // queued behind what is already waiting
        form.post([&] { ranAfter = true; });
    });
    form.post([&] { ranBefore = true; });
    form.pump();
    EXPECT_TRUE(form.destroyed());
    EXPECT_TRUE(ranBefore);
    EXPECT_FALSE(ranAfter);
    form.click(N::按钮搜索);
    form.setTimerPeriod(N::时钟1, 10);
    form.advance(50);
    EXPECT_TRUE(log.events.empty()) << "a destroyed window raises nothing";
}

TEST_F(Headless, TimePassingDuringAPumpLetsTicksRunNested) {
    form.setTimePerPump(10);
    form.setTimerPeriod(N::时钟1, 10);
    processPendingEvents();
    EXPECT_EQ(log.events, std::vector<std::string>{"时钟1"});
}

TEST_F(Headless, WindowStateChangesRaisePositionThenSize) {
    struct Step {
        const char* what;
        void (*act)(HeadlessForm&);
        int state, clientWidth, clientHeight;
        std::vector<std::string> events;
    };
    const Step steps[] = {
        {"minimise",
         [](HeadlessForm& f) { f.minimise(); },
         kWindowMinimised,
         0,
         0,
         {"position", "size"}},
        {"restore",
         [](HeadlessForm& f) { f.restore(); },
         kWindowNormal,
         572,
         399,
         {"position", "size"}},
        {"maximise",
         [](HeadlessForm& f) { f.maximise(800, 570); },
         kWindowMaximised,
         800,
         570,
         {"position", "size"}},
        {"minimise from maximised",
         [](HeadlessForm& f) { f.minimise(); },
         kWindowMinimised,
         0,
         0,
         {"position", "size"}},
        {"restore to maximised",
         [](HeadlessForm& f) { f.restoreWindow(); },
         kWindowMaximised,
         800,
         570,
         {"position", "size"}},
        {"restore",
         [](HeadlessForm& f) { f.restore(); },
         kWindowNormal,
         572,
         399,
         {"position", "size"}},
        {"restore when normal", [](HeadlessForm& f) { f.restore(); }, kWindowNormal, 572, 399, {}},
    };
    for (const Step& step : steps) {
        log.events.clear();
        step.act(form);
        EXPECT_EQ(form.windowState(), step.state) << step.what;
        EXPECT_EQ(form.clientWidth(), step.clientWidth) << step.what;
        EXPECT_EQ(form.clientHeight(), step.clientHeight) << step.what;
        std::vector<std::string> windowEvents;  // without the focus moving with the activation
        for (const std::string& e : log.events) {
            if (e == "position" || e == "size") windowEvents.push_back(e);
        }
        EXPECT_EQ(windowEvents, step.events) << step.what;
    }
}

TEST_F(Headless, FocusMovesWithLostBeforeGot) {
    form.focus(N::编辑框搜索);
    form.click(N::超级列表框小说显示);
    form.focus(N::超级列表框章节);  // hidden: takes no focus
    form.click(N::图形按钮1);       // takes no focus
    EXPECT_EQ(log.events, (std::vector<std::string>{
                              "got 编辑框搜索", "lost 编辑框搜索", "got 超级列表框小说显示",
                              "click 超级列表框小说显示", "click 图形按钮1"}));
    EXPECT_EQ(form.focusedControl(), N::超级列表框小说显示);
}

}  // namespace
}  // namespace qm::testing
