#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source_test_support.h"
#include "sources/source_one.h"

namespace qm::testing {
namespace {

class SourceOneTest : public SourcesTest {
  protected:
    SiteConfig config{testServer() + "sources/one/hits/", testServer() + "sources/one-text/novel/",
                      ""};
    SourceOne one{config, state};

    void selectNovel(const Text& bookKey) {
        fillTable(state.novelTable(), {{"1", "书", bookKey, "bukanshu"}});
        state.novelTable().setCurrentRow(0);
    }
    void selectChapter(const Text& chapterKey) {
        fillTable(state.chapterTable(), {{"1", "章", chapterKey}});
        state.chapterTable().setCurrentRow(0);
    }
};

TEST_F(SourceOneTest, SearchListsHitsInPageOrderWithTheirTag) {
    fillTable(state.novelTable(), {{"1", "旧", "9", "ranwen"}});
    state.novelTable().setCurrentRow(0);
    fillTable(state.chapterTable(), {{"1", "旧章", "c"}});
    state.setReadingText("旧文");
    state.setSearchText("ab");

    one.searchSourceOne();

    EXPECT_EQ(rowsOf(state.novelTable()), (Rows{{"1", "雾港来信", "1234", "bukanshu"},
                                                {"2", "Tea and Stars", "42", "bukanshu"},
                                                {"3", "纸鸢", "100001", "bukanshu"}}));
    EXPECT_EQ(state.novelTable().currentRow(), -1);
    // A search touches nothing else.
    EXPECT_EQ(rowsOf(state.chapterTable()), (Rows{{"1", "旧章", "c"}}));
    EXPECT_EQ(state.readingText(), "旧文");
}

TEST_F(SourceOneTest, SendsTheKeywordAsPercentEncodedUtf8) {
    const struct {
        Text keyword;
        Text encoded;
    } cases[] = {{"ab", "%61%62"}, {"中文", "%E4%B8%AD%E6%96%87"}};
    for (const auto& c : cases) {
        state.setSearchText(c.keyword);
        one.searchSourceOne();
        EXPECT_TRUE(
            serverSaw("/sources/one/hits/search?submit=%E6%90%9C%E7%B4%A2&searchkey=" + c.encoded))
            << c.encoded;
    }
}

TEST_F(SourceOneTest, ChapterListDropsThePagesLastLink) {
    const struct {
        Text bookKey;
        Rows rows;
    } cases[] = {
        {"1234",
         {{"1", "第一章 启程", "501"},
          {"2", "第二章 Fog", "502"},
          {"3", "第三章 灯", "503"},
          {"4", "第四章 归", "504"}}},
        {"42", {}},
        {"no-such-novel", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bookKey);
        fillTable(state.chapterTable(), {{"1", "旧章", "c"}, {"2", "旧章", "d"}});
        state.chapterTable().setCurrentRow(1);
        selectNovel(c.bookKey);
        one.listChaptersOne();
        EXPECT_EQ(rowsOf(state.chapterTable()), c.rows);
        EXPECT_EQ(state.chapterTable().currentRow(), -1);
    }
}

TEST_F(SourceOneTest, ShowsTheTextOfTheScriptCall) {
    const struct {
        Text chapterKey;
        Text text;
    } cases[] = {
        {"both", "来自 write"},              // document.write wins over writeln
        {"writeln", "　　只有\r\nwriteln"},  // writeln when there is no write
        {"br", "甲\r\n乙<BR/>丙<br />丁"},   // only the lower-case <br/>
        {"open", ""},                        // no "');" after the call
        {"missing", ""},                     // the server's 404 page
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chapterKey);
        state.setReadingText("前一章");
        state.setTextStoreDir("2/234/");
        selectChapter(c.chapterKey);
        one.showChapterOne();
        EXPECT_EQ(state.readingText(), c.text);
    }
}

// Search, open, place, read: the whole road through one novel.
TEST_F(SourceOneTest, ReadsAChapterOfAFoundNovel) {
    state.setTextStoreDir("1/42/");
    state.setSearchText("雾港");
    one.searchSourceOne();
    state.novelTable().setCurrentRow(0);
    one.listChaptersOne();
    one.computeTextStoreDir();
    EXPECT_EQ(state.textStoreDir(), "2/234/");
    state.chapterTable().setCurrentRow(0);
    one.showChapterOne();
    EXPECT_EQ(state.readingText(), "　　雾里有船。\r\n　　船上有信。");
    EXPECT_TRUE(serverSaw("/sources/one-text/novel/2/234/501.txt"));
}

TEST(TextStoreDir, FollowsTheThousandsRule) {
    const struct {
        Text bookKey;
        Text dir;
    } cases[] = {
        // Up to three characters: the key as written.
        {"7", "1/7/"},
        {"42", "1/42/"},
        {"999", "1/999/"},
        {"ab", "1/ab/"},
        {"", "1//"},
        // Four to six characters: head and tail of the key plus 1000.
        {"1234", "2/234/"},
        {"1050", "2/50/"},
        {"1005", "2/5/"},
        {"1000", "2/0/"},
        {"12345", "13/345/"},
        {"10500", "11/500/"},
        {"10050", "11/50/"},
        {"10005", "11/5/"},
        {"123456", "124/456/"},
        {"100100", "101/100/"},
        {"100010", "101/10/"},
        {"100001", "101/1/"},
        {"abcd", "1/0/"},
        {"12ab", "1/12/"},
        // A sum with one more digit than the key, and a tail 000 of five or six.
        {"9999", "10/999/"},
        {"9000", "10/0/"},
        {"99500", "100/500/"},
        {"999999", "1000/999/"},
        {"10000", "11/0/"},
        {"100000", "101/0/"},
        // Seven characters and more: the same arithmetic.
        {"1234567", "1235/567/"},
        {"1000000", "1001/0/"},
        {"12345678901", "12345679/901/"},
        {"1234567ab", "1235/567/"},
        {"abcdefg", "1/0/"},
        // No usable number: no directory.
        {"-1234567", ""},
        {"1e400abc", ""},
        {"12345678901234567", ""},
    };
    for (const auto& c : cases) {
        MemoryReaderState state;
        SourceOne one(SiteConfig{}, state);
        state.setTextStoreDir("9/9/");
        fillTable(state.novelTable(), {{"1", "书", c.bookKey, "bukanshu"}});
        state.novelTable().setCurrentRow(0);
        one.computeTextStoreDir();
        EXPECT_EQ(state.textStoreDir(), c.dir) << "key " << c.bookKey;
    }
}

}  // namespace
}  // namespace qm::testing
