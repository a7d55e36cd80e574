// The real sources against the demo site: each source searched, a novel
// listed, placed and read.
#include <gtest/gtest.h>

#include <string>

#include "source_test_support.h"
#include "sources/site_sources.h"

namespace qm::testing {
namespace {

// The demo site listens on this build's demo port; its paths are those of the
// default site addresses.
Text demoBase() {
    return "http://127.0.0.1:" + std::to_string(QM_DEMO_PORT) + "/";
}

class DemoSiteTest : public SourcesTest {
  protected:
    SiteSources sources{
        SiteConfig{demoBase() + "one/", demoBase() + "one-text/novel/", demoBase() + "two/"},
        state};

    Text firstTitle() { return state.novelTable().cell(0, novel_column::kTitle); }
};

TEST_F(DemoSiteTest, SourceOneFindsListsPlacesAndReads) {
    const struct {
        Text keyword;
        Text title;
        Text bookKey;
        int chapters;
        Text dir;
        Text opening;  // the first chapter's first paragraph
    } novels[] = {
        {"星河", "星河茶馆", "7", 12, "1/7/", "　　城东石桥下有一家茶馆"},
        {"Reckoner", "竹林算师", "42", 9, "1/42/", "　　竹林深处有一间小屋"},
        {"雾港", "雾港来信", "1234", 480, "2/234/", "　　雾港的雾是从海上来的"},
        {"KITE", "纸鸢与灯塔", "10050", 15, "11/50/", "　　小满七岁那年学会了扎纸鸢"},
        {"夜雨", "山城夜雨", "100001", 8, "101/1/", "　　山城的路都是斜的"},
        {"scrolls", "长卷抄书人", "2718", 60, "3/718/", "　　城南书坊的后院有一口井"},
    };
    for (const auto& novel : novels) {
        SCOPED_TRACE(novel.keyword);
        state.setSearchText(novel.keyword);
        sources.searchSourceOne();
        ASSERT_EQ(state.novelTable().rowCount(), 1);
        EXPECT_EQ(firstTitle(), novel.title);
        EXPECT_EQ(state.novelTable().cell(0, novel_column::kBookKey), novel.bookKey);

        state.novelTable().setCurrentRow(0);
        sources.listChaptersOne();
        sources.computeTextStoreDir();
        EXPECT_EQ(state.chapterTable().rowCount(), novel.chapters);
        EXPECT_EQ(state.chapterTable().cell(0, chapter_column::kTitle).substr(0, 6), "第一章");
        EXPECT_EQ(state.textStoreDir(), novel.dir);

        state.chapterTable().setCurrentRow(0);
        sources.showChapterOne();
        EXPECT_EQ(state.readingText().find(novel.opening), 0u) << state.readingText();
        EXPECT_NE(state.readingText().find("\r\n\r\n　　"), Text::npos);
        // Every third chapter is written with document.writeln.
        state.chapterTable().setCurrentRow(2);
        sources.showChapterOne();
        EXPECT_EQ(state.readingText().substr(0, 2), "　");
    }
}

TEST_F(DemoSiteTest, SourceTwoFindsInBothLayoutsListsAndReads) {
    const struct {
        Text keyword;
        std::vector<Text> titles;
    } searches[] = {
        {"猫", {"青石巷的猫"}},  // one hit: its card
        {"Bird", {"机关木鸟"}},
        {"灯", {"北岭守灯人", "河灯夜话"}},  // several: the results table
        {"苏念", {"青石巷的猫", "河灯夜话"}},
    };
    for (const auto& search : searches) {
        SCOPED_TRACE(search.keyword);
        state.setSearchText(search.keyword);
        sources.searchSourceTwo();
        std::vector<Text> titles;
        for (int r = 0; r < state.novelTable().rowCount(); ++r) {
            titles.push_back(state.novelTable().cell(r, novel_column::kTitle));
            EXPECT_EQ(state.novelTable().cell(r, novel_column::kSourceTag), "ranwen");
        }
        EXPECT_EQ(titles, search.titles);
    }

    state.setSearchText("北岭");
    sources.searchSourceTwo();
    state.novelTable().setCurrentRow(0);
    sources.listChaptersTwo();
    ASSERT_EQ(state.chapterTable().rowCount(), 420);
    EXPECT_EQ(state.chapterTable().cell(419, chapter_column::kNumber), "420");
    state.chapterTable().setCurrentRow(0);
    sources.showChapterTwo();
    EXPECT_EQ(state.readingText().find("  北岭的山道很长"), 0u) << state.readingText();
    EXPECT_NE(state.readingText().find("。\r\n\r\n  韩青是北岭的守灯人"), Text::npos);
}

TEST_F(DemoSiteTest, AnUnknownKeywordFindsNothingOnEitherSource) {
    state.setSearchText("没有这本书");
    sources.searchSourceOne();
    EXPECT_EQ(state.novelTable().rowCount(), 0);
    sources.searchSourceTwo();
    EXPECT_EQ(state.novelTable().rowCount(), 0);
}

}  // namespace
}  // namespace qm::testing
