// The road of one reading through the reader as the program wires it: the
// headless window, the real sources and the demo site. Virtual time does not
// pass while pending events are processed, as with a fetch faster than the
// panel timer's period.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_appearance.h"
#include "platform/headless/headless_form.h"
#include "platform/headless/headless_services.h"
#include "reader/appearance_commands.h"
#include "reader/form_description.h"
#include "reader/reader_app.h"
#include "toolkit/pattern.h"

namespace qm::testing {
namespace {

using N = ControlName;

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

Text demoBase() {
    return "http://127.0.0.1:" + std::to_string(QM_DEMO_PORT) + "/";
}

class Road : public ::testing::Test {
  protected:
    void SetUp() override {
        prepareSharedPattern();
        connectAppearance(appearance, app.bindings(), app.commands());
        form.create(app.events());
    }

    void search(ControlName radio, const Text& keyword) {
        form.click(radio);
        form.click(N::编辑框搜索);  // the placeholder goes
        form.setText(N::编辑框搜索, keyword);
        form.click(N::按钮搜索);
    }

    Text chapterTitle(int row) { return app.state().chapterTable().cell(row, 1); }
    int chapterRow() { return app.state().chapterTable().currentRow(); }

    std::vector<Text> messages() {
        std::vector<Text> texts;
        for (const ShownMessage& m : services.messages()) texts.push_back(m.title + ": " + m.text);
        return texts;
    }

    HeadlessForm form;
    HeadlessServices services{form};
    HeadlessAppearance appearanceServices{form};
    ReaderApp app{
        form, services,
        SiteConfig{demoBase() + "one/", demoBase() + "one-text/novel/", demoBase() + "two/"}};
    AppearanceCommands appearance{form, services, appearanceServices};
};

TEST_F(Road, SourceOneFromTheSearchToTheLastChapter) {
    search(N::单选框one, "reckoner");
    ASSERT_EQ(app.state().novelTable().rowCount(), 1);
    EXPECT_EQ(app.state().novelTable().cell(0, 1), "竹林算师");

    form.clickRow(N::超级列表框小说显示, 0);
    EXPECT_EQ(form.text(N::标签小说), "小说: 竹林算师 的全部章节");
    EXPECT_TRUE(form.visible(N::超级列表框章节)) << "the chapter list shows without a tick";
    EXPECT_FALSE(form.visible(N::超级列表框小说显示));
    EXPECT_EQ(form.timerPeriod(N::时钟1), 0);
    ASSERT_EQ(app.state().chapterTable().rowCount(), 9);

    form.clickRow(N::超级列表框章节, 0);
    EXPECT_EQ(form.caption(), "第一章 竹林小屋");
    EXPECT_EQ(form.text(N::编辑框1).find("　　竹林深处有一间小屋"), 0u);
    EXPECT_NE(form.text(N::编辑框1).find("字。\r\n\r\n　　山下"), Text::npos);

    // Keys in the reading pane; between them a search that clears the novel
    // list's selection leaves the open novel in place.
    form.pressKey(N::编辑框1, kRight);
    EXPECT_EQ(form.caption(), "第二章 再到竹林小屋");
    search(N::单选框two, "cat");
    EXPECT_EQ(app.state().novelTable().currentRow(), -1);
    form.pressKey(N::编辑框1, kRight, 1);  // Ctrl held
    EXPECT_EQ(form.caption(), "第三章 墨砚");
    EXPECT_EQ(form.text(N::编辑框1).find("document"), Text::npos);
    form.pressKey(N::编辑框1, kLeft);
    EXPECT_EQ(form.caption(), "第二章 再到竹林小屋");

    // The two menu items, by the reading pane's menu.
    services.answerNextMenu(MenuItem::下一章);
    form.rightButtonDown(N::编辑框1, {300, 200});
    form.pump();  // the chosen item arrives as a queued event
    EXPECT_EQ(form.caption(), "第三章 墨砚");
    services.answerNextMenu(MenuItem::上一章);
    form.rightButtonDown(N::编辑框1, {300, 200});
    form.pump();  // the chosen item arrives as a queued event
    EXPECT_EQ(form.caption(), "第二章 再到竹林小屋");

    // Down in the chapter list up to the last chapter (this window leaves
    // the list's own move to the test).
    for (int row = 2; row <= 8; ++row) {
        form.pressKey(N::超级列表框章节, kDown);
        EXPECT_EQ(form.caption(), chapterTitle(row));
    }
    EXPECT_EQ(chapterRow(), 8);
    EXPECT_EQ(messages(), (std::vector<Text>{"提示: 这是最后一章了!"}));
    form.pressKey(N::超级列表框章节, kUp);
    EXPECT_EQ(form.caption(), "第八章 竹简");
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(Road, SourceTwoFromTheSearchToAChapterStep) {
    search(N::单选框two, "cat");  // one hit: the site shows its card
    ASSERT_EQ(app.state().novelTable().rowCount(), 1);
    EXPECT_EQ(app.state().novelTable().cell(0, 1), "青石巷的猫");

    form.clickRow(N::超级列表框小说显示, 0);
    EXPECT_TRUE(form.visible(N::超级列表框章节));
    ASSERT_EQ(app.state().chapterTable().rowCount(), 10);

    form.clickRow(N::超级列表框章节, 9);
    EXPECT_EQ(form.caption(), chapterTitle(9));
    EXPECT_NE(form.text(N::编辑框1), "");
    form.pressKey(N::编辑框1, kRight);
    EXPECT_EQ(messages(), (std::vector<Text>{"提示: 这是最后一章了!"}));
    form.pressKey(N::编辑框1, kLeft);
    EXPECT_EQ(form.caption(), chapterTitle(8));
    EXPECT_NE(form.text(N::编辑框1), "");
}

}  // namespace
}  // namespace qm::testing
