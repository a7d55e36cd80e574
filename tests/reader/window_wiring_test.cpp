// The reader's state over the controls, the event bindings and the app that
// wires them.
#include <functional>
#include <string>

#include "reader/reader_app.h"
#include "tests/reader/window_fixture.h"

namespace qm::testing {
namespace {

TEST_F(Window, ReaderStateItemsLiveInTheirControls) {
    struct Item {
        const char* what;
        std::function<void()> write;
        std::function<bool()> heldByControl;
    };
    const Item items[] = {
        {"search text", [&] { state.setSearchText("凡人"); },
         [&] { return form.text(N::编辑框搜索) == "凡人"; }},
        {"chapters label", [&] { state.setChaptersLabel("小说: 甲 的全部章节"); },
         [&] { return form.text(N::标签小说) == "小说: 甲 的全部章节"; }},
        {"caption", [&] { state.setCaption("第一章"); },
         [&] { return form.caption() == "第一章"; }},
        {"panel mode", [&] { state.setPanelMode(2); },
         [&] { return form.trackbarPosition() == 2; }},
        {"panel timer", [&] { state.setPanelTimer(10); },
         [&] { return form.timerPeriod(N::时钟1) == 10 && form.timerPeriod(N::时钟2) == 0; }},
        {"reading text", [&] { state.setReadingText("正文\r\n第二行"); },
         [&] { return form.text(N::编辑框1) == "正文\r\n第二行"; }},
        {"text store dir", [&] { state.setTextStoreDir("12/12345/"); },
         [&] { return form.text(N::编辑框2) == "12/12345/"; }},
    };
    for (const Item& item : items) {
        item.write();
        EXPECT_TRUE(item.heldByControl()) << item.what;
    }
    EXPECT_EQ(&state.novelTable(), &form.table(N::超级列表框小说显示));
    EXPECT_EQ(&state.chapterTable(), &form.table(N::超级列表框章节));
    EXPECT_EQ(state.novelTable().columnCount(), 4);
    EXPECT_EQ(state.chapterTable().columnCount(), 3);

    // Read back from the controls as the user or the program left them.
    form.setText(N::编辑框搜索, "遮天");
    form.setTrackbarPosition(1);
    form.click(N::单选框two);
    EXPECT_EQ(state.searchText(), "遮天");
    EXPECT_EQ(state.panelMode(), 1);
    EXPECT_FALSE(state.sourceOneChecked());
    EXPECT_TRUE(state.sourceTwoChecked());
    EXPECT_EQ(state.chaptersLabel(), "小说: 甲 的全部章节");
    EXPECT_EQ(state.readingText(), "正文\r\n第二行");
    EXPECT_EQ(state.textStoreDir(), "12/12345/");
    EXPECT_EQ(state.caption(), "第一章");
    EXPECT_EQ(state.panelTimer(), 10);

    state.setRememberedNovel({true, "bukanshu", "book-1"});
    EXPECT_TRUE(state.rememberedNovel().known);
    EXPECT_EQ(state.rememberedNovel().bookKey, "book-1");
}

// Each bound event reaches its command; the guards' boxes and the sources'
// calls tell which one ran.
TEST_F(Window, ReaderEventsReachTheirCommands) {
    const int novel = form.novels().appendRow();
    form.novels().setCell(novel, 2, "book-1");
    form.novels().setCell(novel, 3, "ranwen");
    const int chapter = form.chapters().appendRow();
    form.chapters().setCell(chapter, 2, "chapter-1");
    form.chapters().appendRow();
    form.chapters().setCell(1, 2, "chapter-2");
    form.setText(N::编辑框搜索, "keyword");

    struct Case {
        const char* what;
        std::function<void()> raise;
        std::string call;  // the last source call, or the box's text
    };
    const Case cases[] = {
        {"enter in the search box", [&] { form.pressKey(N::编辑框搜索, 13); }, "searchSourceOne"},
        {"search button", [&] { form.click(N::按钮搜索); }, "searchSourceOne"},
        {"click on a novel", [&] { form.clickRow(N::超级列表框小说显示, 0); }, "listChaptersTwo"},
        {"click on a chapter", [&] { form.clickRow(N::超级列表框章节, 0); }, "showChapterTwo"},
        {"down in the chapter list", [&] { form.pressKey(N::超级列表框章节, 40); },
         "showChapterTwo"},
        {"right in the reading pane", [&] { form.pressKey(N::编辑框1, 39); }, "showChapterTwo"},
        {"上一章", [&] { form.chooseMenuItem(MenuItem::上一章); }, "showChapterTwo"},
        {"下一章", [&] { form.chooseMenuItem(MenuItem::下一章); }, "showChapterTwo"},
        {"click below the chapters", [&] { form.clickRow(N::超级列表框章节, 5); }, "请选中小说!"},
    };
    for (const Case& c : cases) {
        const std::size_t calls = sources.calls.size();
        const std::size_t boxes = services.messages().size();
        c.raise();
        if (sources.calls.size() > calls) {
            EXPECT_EQ(sources.calls.back(), c.call) << c.what;
        } else {
            ASSERT_GT(services.messages().size(), boxes) << c.what << ": nothing ran";
            EXPECT_EQ(services.messages().back().text, c.call) << c.what;
        }
    }
}

TEST_F(Window, AppearanceEventsGoToTheirSlotsAndDoNothingWithoutThem) {
    // Without handlers these events change nothing at all.
    form.chooseMenuItem(MenuItem::使用方法);
    form.rightButtonDown(N::编辑框1, {5, 5});
    state.setPanelTimer(0);
    form.setTimerPeriod(N::时钟2, 100);
    form.advance(100);
    form.clearChanges();
    for (MenuItem item : {MenuItem::使用方法, MenuItem::关于软件, MenuItem::改变字体及大小,
                          MenuItem::设置透明度, MenuItem::设置文本框背景色}) {
        form.chooseMenuItem(item);
    }
    EXPECT_TRUE(changesStartingWith("set").empty());
    EXPECT_TRUE(services.messages().empty());

    std::vector<std::string> ran;
    AppearanceHandlers handlers;
    handlers.usageCommand = [&] { ran.push_back("usage"); };
    handlers.contactCommand = [&] { ran.push_back("contact"); };
    handlers.fontCommand = [&] { ran.push_back("font"); };
    handlers.transparencyCommand = [&] { ran.push_back("transparency"); };
    handlers.backgroundHelpCommand = [&] { ran.push_back("background help"); };
    handlers.readingPaneMenu = [&](ScreenPoint p, int) {
        ran.push_back("pane menu " + std::to_string(p.x));
    };
    handlers.colourPickTick = [&] { ran.push_back("colour tick"); };
    bindings.setAppearanceHandlers(handlers);
    for (MenuItem item : {MenuItem::使用方法, MenuItem::关于软件, MenuItem::改变字体及大小,
                          MenuItem::设置透明度, MenuItem::设置文本框背景色}) {
        form.chooseMenuItem(item);
    }
    form.rightButtonDown(N::编辑框1, {7, 8});
    form.rightButtonDown(N::编辑框搜索, {7, 8});
    form.advance(100);
    EXPECT_EQ(ran, (std::vector<std::string>{"usage", "contact", "font", "transparency",
                                             "background help", "pane menu 7", "colour tick"}));
}

TEST(ReaderApp, WiresTheWindowAndTheCommandsToTheForm) {
    HeadlessForm form;
    HeadlessServices services(form);
    ReaderApp app(form, services);
    form.create(app.events());
    EXPECT_EQ(form.text(N::编辑框搜索), "输入搜索内容");
    EXPECT_EQ(services.trayTip(), "Quillmere!");
    form.click(N::按钮搜索);
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].title, "搜索提示！");
    EXPECT_EQ(&app.state().novelTable(), &form.table(N::超级列表框小说显示));
}

}  // namespace
}  // namespace qm::testing
