#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source_test_support.h"
#include "sources/source_two.h"

namespace qm::testing {
namespace {

class SourceTwoTest : public SourcesTest {
  protected:
    // Each search page sits under a base of its own; the query is not read.
    void searchAt(const Text& page, const Text& keyword = "ab") {
        SourceTwo two(SiteConfig{"", "", testServer() + "sources/two/" + page + "/"}, state);
        state.setSearchText(keyword);
        two.searchSourceTwo();
    }

    SourceTwo site{SiteConfig{"", "", testServer() + "sources/two/site/"}, state};
};

TEST_F(SourceTwoTest, SearchReadsTheLayoutThePageUses) {
    const struct {
        Text site;
        Rows rows;
    } cases[] = {
        // Cards; the table row below them is not read.
        {"click",
         {{"1", "青石巷的猫", "html/0/17/", "ranwen"},
          {"2", "河灯夜话", "html/5/5003/", "ranwen"}}},
        // Table rows: the title from the first cell, the key from the second.
        {"table",
         {{"1", "北岭守灯人", "html/2/2456/", "ranwen"},
          {"2", "河灯夜话", "html/5/5003/", "ranwen"}}},
        // The site's address is a pattern: its dot matches the page's "X".
        {"dot.base", {{"1", "点号之书", "html/1/1/", "ranwen"}}},
        {"dot.click", {{"1", "点号卡片", "html/3/3/", "ranwen"}}},
        // Near misses of the table layout.
        {"lf-only", {}},
        {"odd-three-blanks", {}},
        {"three-blanks", {}},
        {"tab", {}},
        {"none", {}},
        {"no-such-site", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.site);
        fillTable(state.novelTable(), {{"1", "旧", "k/", "bukanshu"}});
        state.novelTable().setCurrentRow(0);
        searchAt(c.site);
        EXPECT_EQ(rowsOf(state.novelTable()), c.rows);
        EXPECT_EQ(state.novelTable().currentRow(), -1);
    }
}

TEST_F(SourceTwoTest, SendsTheKeywordsOwnBytesPercentEncoded) {
    const struct {
        Text keyword;
        Text encoded;
    } cases[] = {{"ab", "%61%62"}, {"中文", "%D6%D0%CE%C4"}};
    for (const auto& c : cases) {
        searchAt("none", c.keyword);
        EXPECT_TRUE(
            serverSaw("/sources/two/none/modules/article/search.php?searchkey=" + c.encoded))
            << c.encoded;
    }
}

TEST_F(SourceTwoTest, ChapterListHasEveryLink) {
    fillTable(state.novelTable(), {{"1", "青石巷的猫", "html/0/17/", "ranwen"}});
    state.novelTable().setCurrentRow(0);
    fillTable(state.chapterTable(), {{"1", "旧章", "c"}});
    state.chapterTable().setCurrentRow(0);
    state.setReadingText("旧文");

    site.listChaptersTwo();

    EXPECT_EQ(rowsOf(state.chapterTable()), (Rows{{"1", "第一章 雨巷", "1001.html"},
                                                  {"2", "第二章 黑猫", "1002.html"},
                                                  {"3", "第三章 Lamp", "1003.html"},
                                                  {"4", "第四章 青石", "1004.html"},
                                                  {"5", "第五章 归巷", "1005.html"}}));
    EXPECT_EQ(state.chapterTable().currentRow(), -1);
    EXPECT_EQ(state.readingText(), "旧文");
}

TEST_F(SourceTwoTest, ShowsTheTextBetweenTheMarkers) {
    fillTable(state.novelTable(), {{"1", "青石巷的猫", "html/0/17/", "ranwen"}});
    state.novelTable().setCurrentRow(0);
    const struct {
        Text chapterKey;
        Text text;
    } cases[] = {
        {"1001.html", "青石巷"},
        // Pairs of &nbsp; become one blank, <br /> in any case a line break.
        {"spaces.html", "  四个\r\n &nbsp;三个\r\n 大小写\r\n末<br/>尾"},
        // "   &nbsp;" on the page: the pane keeps what it had.
        {"refused.html", "前一章"},
        {"nomarker.html", ""},
        {"missing.html", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chapterKey);
        state.setReadingText("前一章");
        fillTable(state.chapterTable(), {{"1", "章", c.chapterKey}});
        state.chapterTable().setCurrentRow(0);
        site.showChapterTwo();
        EXPECT_EQ(state.readingText(), c.text);
    }
}

TEST_F(SourceTwoTest, ChapterComesFromTheRememberedNovel) {
    fillTable(state.chapterTable(), {{"1", "第一章", "1001.html"}});
    state.chapterTable().setCurrentRow(0);
    const struct {
        const char* what;
        RememberedNovel remembered;
        int currentNovelRow;
        Text text;
    } cases[] = {
        {"remembered, another row current", {true, "ranwen", "html/5/5003/"}, 0, "河灯"},
        {"remembered, no row current", {true, "ranwen", "html/5/5003/"}, -1, "河灯"},
        {"nothing remembered: the current row", {false, "", ""}, 0, "青石巷"},
        {"nothing remembered, no row current", {false, "", ""}, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fillTable(state.novelTable(), {{"1", "青石巷的猫", "html/0/17/", "ranwen"}});
        state.novelTable().setCurrentRow(c.currentNovelRow);
        state.setRememberedNovel(c.remembered);
        state.setReadingText("前一章");
        site.showChapterTwo();
        EXPECT_EQ(state.readingText(), c.text);
    }
}

}  // namespace
}  // namespace qm::testing
