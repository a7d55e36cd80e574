// The appearance and help commands on the headless window, wired as the
// program wires them: menu items, the reading pane's right button and keys,
// and 时钟2's ticks reach them through the form's events.
#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/headless_appearance.h"
#include "reader/appearance_commands.h"
#include "tests/reader/window_fixture.h"

namespace qm::testing {
namespace {

constexpr int kPaneBackgroundAtStart = 16708839;

class Appearance : public Window {
  protected:
    void SetUp() override {
        Window::SetUp();
        connectAppearance(appearanceCommands, bindings, commands);
    }

    // A menu item chosen from one of the two popup menus.
    void choose(MenuItem item) { form.chooseMenuItem(item); }

    HeadlessAppearance appearance{form};
    AppearanceCommands appearanceCommands{form, services, appearance};
};

TEST_F(Appearance, OpacityFollowsTheInputBoxOrReportsTheError) {
    constexpr int kBefore = 77;
    struct Case {
        std::optional<Text> input;   // nothing: the box is cancelled
        std::optional<int> opacity;  // nothing: the error message, opacity unchanged
    };
    const Case cases[] = {
        {"0", 0},
        {"255", 255},
        {"100", 100},
        {"256", std::nullopt},
        {"-1", std::nullopt},
        {"", 0},
        {"-", 0},
        {"12-3", 12},
        {"  +7x", 7},
        // Must not wrap round into the valid range.
        {"4294967297", std::nullopt},
        {std::nullopt, kBefore},
    };
    for (const Case& c : cases) {
        const std::string label = c.input ? "input \"" + *c.input + "\"" : "cancelled";
        appearance.setWindowOpacity(kBefore);
        appearance.answerNextInputBox(c.input);
        const std::size_t boxesBefore = services.messages().size();

        choose(MenuItem::设置透明度);

        const auto& shown = services.messages();
        if (c.opacity) {
            EXPECT_EQ(appearance.opacity(), c.opacity) << label;
            EXPECT_EQ(shown.size(), boxesBefore) << label;
        } else {
            EXPECT_EQ(appearance.opacity(), kBefore) << label;
            ASSERT_EQ(shown.size(), boxesBefore + 1) << label;
            EXPECT_EQ(shown.back().text, "输入错误,不能小于0！") << label;
            EXPECT_EQ(shown.back().title, "提示") << label;
            EXPECT_EQ(shown.back().flags, 16) << label;
        }
    }

    ASSERT_FALSE(appearance.inputBoxesShown().empty());
    const HeadlessAppearance::AskedInput& asked = appearance.inputBoxesShown().front();
    EXPECT_EQ(asked.prompt, "请输入透明度，最高为255，最低为0！");
    EXPECT_EQ(asked.title, "透明度设置：");
    EXPECT_EQ(asked.initialText, "100");
    EXPECT_TRUE(asked.wholeNumber);
}

TEST(WholeNumberOf, ReadsSignAndDigitsAfterLeadingBlanks) {
    struct Case {
        Text text;
        int number;
    };
    const Case cases[] = {
        {"", 0},
        {"   ", 0},
        {"abc", 0},
        {"-", 0},
        {"+", 0},
        {"- 5", 0},
        {" \t 42abc", 42},
        {"-17", -17},
        {"+0255", 255},
        {"12.9", 12},
        {"1 2", 1},
        {"--3", 0},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(wholeNumberOf(c.text), c.number) << '"' << c.text << '"';
}

TEST_F(Appearance, FontDialogCancelSetsThePaneToTheValuesAcceptedLast) {
    // Cancelled before any font was accepted: an empty face at size 0.
    choose(MenuItem::改变字体及大小);
    std::optional<FontSpec> pane = form.font(N::编辑框1);
    ASSERT_TRUE(pane.has_value());
    EXPECT_EQ(pane->name, "");
    EXPECT_EQ(pane->size, 0);
    EXPECT_FALSE(pane->bold || pane->italic || pane->underline || pane->strikeOut);
    EXPECT_EQ(appearance.fontDialogsShown().back(), FontDialogValues{});

    const FontDialogValues chosen{"黑体", 16, true, false, true, true};
    appearance.answerNextFontDialog(chosen);
    choose(MenuItem::改变字体及大小);
    pane = form.font(N::编辑框1);
    ASSERT_TRUE(pane.has_value());
    EXPECT_EQ(pane->name, "黑体");
    EXPECT_EQ(pane->size, 16);
    EXPECT_TRUE(pane->bold);
    EXPECT_FALSE(pane->italic);
    EXPECT_TRUE(pane->underline);
    EXPECT_TRUE(pane->strikeOut);
    EXPECT_EQ(pane->angle, 0);

    // Cancelled after: the dialog opens on the accepted font and the pane
    // is set to it again.
    form.clearChanges();
    choose(MenuItem::改变字体及大小);
    EXPECT_EQ(appearance.fontDialogsShown().back(), chosen);
    EXPECT_EQ(appearanceCommands.fontDialogValues(), chosen);
    EXPECT_EQ(changesStartingWith("setFont"), std::vector<Text>{"setFont 编辑框1 黑体 16"});
}

TEST_F(Appearance, QAndWStartAndStopPickingThePaneColour) {
    appearance.setPixelUnderPointer(PixelColour{10, 20, 30});
    const int picked = 10 + 20 * 256 + 30 * 65536;

    // W while not picking changes nothing.
    form.pressKey(N::编辑框1, 87);
    form.advance(500);
    EXPECT_EQ(form.timerPeriod(N::时钟2), 0);
    EXPECT_EQ(form.backgroundColour(N::编辑框1), kPaneBackgroundAtStart);

    // A second Q 60 ms after the first does not restart the timer: the first
    // tick still comes 100 ms after the first Q.
    form.pressKey(N::编辑框1, 81);
    EXPECT_EQ(form.timerPeriod(N::时钟2), 100);
    form.advance(60);
    form.pressKey(N::编辑框1, 81, 1);  // Ctrl held: modifiers are ignored
    form.advance(39);
    EXPECT_EQ(form.backgroundColour(N::编辑框1), kPaneBackgroundAtStart);
    form.advance(1);
    EXPECT_EQ(form.backgroundColour(N::编辑框1), picked);

    // The pane follows the pointer until W freezes the colour last set.
    appearance.setPixelUnderPointer(PixelColour{0, 0, 255});
    form.advance(100);
    EXPECT_EQ(form.backgroundColour(N::编辑框1), 16711680);
    form.pressKey(N::编辑框1, 87);
    EXPECT_EQ(form.timerPeriod(N::时钟2), 0);
    appearance.setPixelUnderPointer(PixelColour{255, 0, 0});
    form.advance(1000);
    EXPECT_EQ(form.backgroundColour(N::编辑框1), 16711680);

    // Other letters leave the timer alone.
    form.pressKey(N::编辑框1, 'E');
    EXPECT_EQ(form.timerPeriod(N::时钟2), 0);
}

TEST_F(Appearance, EachTickTakesTheColourUnderThePointer) {
    struct Case {
        std::optional<PixelColour> pixel;
        int background;
    };
    const Case cases[] = {
        {PixelColour{0, 0, 255}, 16711680}, {PixelColour{255, 0, 0}, 255},
        {PixelColour{0, 255, 0}, 65280},    {PixelColour{1, 2, 3}, 1 + 2 * 256 + 3 * 65536},
        {PixelColour{0, 0, 0}, 0},          {std::nullopt, 16777215},  // unreadable counts as white
    };
    form.pressKey(N::编辑框1, 81);
    for (const Case& c : cases) {
        appearance.setPixelUnderPointer(c.pixel);
        form.advance(100);
        EXPECT_EQ(form.backgroundColour(N::编辑框1), c.background);
    }
}

TEST_F(Appearance, HelpBoxesShowTheirTexts) {
    choose(MenuItem::使用方法);
    choose(MenuItem::关于软件);
    choose(MenuItem::设置文本框背景色);

    const auto& shown = services.messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text,
              "1：搜索小说后，单击小说就可以显示章节\r\n"
              "2：单击章节，可查看章节内容，按上或下快捷键切换章节\r\n"
              "3：在小说内容框内按左或右快捷键切换章节");
    EXPECT_EQ(shown[0].title, "使用方法");
    EXPECT_EQ(shown[1].text, QM_CONTACT_LINE);
    EXPECT_EQ(shown[1].title, "联系方式");
    EXPECT_EQ(shown[2].text,
              "1：编辑框内按 Q键 开始取鼠标所在区域颜色\r\n"
              "2：编辑框内按 W键 确认所取颜色");
    EXPECT_EQ(shown[2].title, "提示");
    for (const ShownMessage& m : shown) EXPECT_EQ(m.flags, 64) << m.title;
}

// The tray menu's two help items work while the window is in the tray, and
// leave it there.
TEST_F(Appearance, TrayHelpItemsWorkWhileTheWindowIsHidden) {
    form.minimise();
    ASSERT_FALSE(form.windowShown());
    for (const MenuItem item : {MenuItem::使用方法, MenuItem::关于软件}) {
        services.answerNextMenu(item);
        form.trayAction(3);
        form.pump();
    }
    const auto& shown = services.messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, "使用方法");
    EXPECT_EQ(shown[1].title, "联系方式");
    EXPECT_FALSE(form.windowShown());
}

TEST_F(Appearance, RightButtonInThePanePopsUpItsMenuBesideThePointer) {
    services.setCursorPosition({200, 300});
    appearance.answerNextInputBox(Text("40"));
    struct Case {
        MenuItem item;
        std::function<bool()> ran;
    };
    const Case cases[] = {
        {MenuItem::设置透明度, [&] { return appearance.opacity() == 40; }},
        {MenuItem::改变字体及大小, [&] { return appearance.fontDialogsShown().size() == 1; }},
        {MenuItem::设置文本框背景色, [&] { return services.messages().size() == 1; }},
    };
    for (const Case& c : cases) {
        services.answerNextMenu(c.item);
        // The event's own point is not what places the menu.
        form.rightButtonDown(N::编辑框1, {5, 5}, 2);
        form.pump();
        ASSERT_FALSE(services.menusShown().empty());
        EXPECT_EQ(services.menusShown().back().menu, MenuName::转章节);
        EXPECT_EQ(services.menusShown().back().topLeft.x, 203);
        EXPECT_EQ(services.menusShown().back().topLeft.y, 303);
        EXPECT_TRUE(c.ran()) << static_cast<int>(c.item);
    }

    // Only the reading pane has the menu.
    form.rightButtonDown(N::超级列表框小说显示, {5, 5});
    EXPECT_EQ(services.menusShown().size(), 3u);
}

}  // namespace
}  // namespace qm::testing
