// When the sources let the window process its pending events, what the
// handlers that run there see, and what they may change; and what a failed
// fetch leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "source_test_support.h"
#include "sources/site_sources.h"

namespace qm::testing {
namespace {

class SourceEventsTest : public SourcesTest {
  protected:
    void prepare() {
        state.setSearchText("");  // an empty keyword encodes without events
        fillTable(state.novelTable(), {{"1", "书", "1234", "bukanshu"}});
        state.novelTable().setCurrentRow(0);
        fillTable(state.chapterTable(), {{"1", "章", "501"}});
        state.chapterTable().setCurrentRow(0);
        state.setTextStoreDir("2/234/");
    }

    SiteConfig config{testServer() + "sources/one/hits/", testServer() + "sources/one-text/novel/",
                      testServer() + "sources/two/table/"};
    SiteSources sources{config, state};
};

TEST_F(SourceEventsTest, EventsRunOnceAfterTheRowsOfSearchesAndSourceTwoLists) {
    const struct {
        const char* what;
        std::function<void()> run;
        int processings;
        std::function<int()> rowsSeen;
        int rows;
    } cases[] = {
        {"searchSourceOne", [this] { sources.searchSourceOne(); }, 1,
         [this] { return state.novelTable().rowCount(); }, 3},
        {"searchSourceTwo", [this] { sources.searchSourceTwo(); }, 1,
         [this] { return state.novelTable().rowCount(); }, 2},
        {"listChaptersTwo",
         [this] {
             SourceTwo two(SiteConfig{"", "", testServer() + "sources/two/site/"}, state);
             state.novelTable().setCell(0, novel_column::kBookKey, "html/0/17/");
             two.listChaptersTwo();
         },
         1, [this] { return state.chapterTable().rowCount(); }, 5},
        {"listChaptersOne", [this] { sources.listChaptersOne(); }, 0, nullptr, 0},
        {"computeTextStoreDir", [this] { sources.computeTextStoreDir(); }, 0, nullptr, 0},
        {"showChapterOne", [this] { sources.showChapterOne(); }, 0, nullptr, 0},
        {"showChapterTwo", [this] { sources.showChapterTwo(); }, 0, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prepare();
        std::vector<int> seen;
        eventProcessings = 0;
        onEvents = [&] {
            if (c.rowsSeen) seen.push_back(c.rowsSeen());
        };
        countEvents();
        c.run();
        EXPECT_EQ(eventProcessings, c.processings);
        if (c.rowsSeen) {
            EXPECT_EQ(seen, std::vector<int>{c.rows});
        }
    }
}

// A second search clicked while the first one encodes its keyword runs
// nested inside it; the first one then goes on with its own keyword.
TEST_F(SourceEventsTest, ASearchNestedInTheEncodingLeavesTheOuterOneIntact) {
    int nested = 0;
    onEvents = [&] {
        if (nested++ > 0) return;
        state.setSearchText("zz");
        sources.searchSourceTwo();
        state.novelTable().setCurrentRow(1);
    };
    countEvents();
    state.setSearchText("ab");
    sources.searchSourceOne();

    EXPECT_TRUE(serverSaw("/sources/two/table/modules/article/search.php?searchkey=%7A%7A"));
    EXPECT_TRUE(serverSaw("/sources/one/hits/search?submit=%E6%90%9C%E7%B4%A2&searchkey=%61%62"));
    ASSERT_EQ(state.novelTable().rowCount(), 3);
    EXPECT_EQ(state.novelTable().cell(2, novel_column::kBookKey), "100001");
    EXPECT_EQ(state.novelTable().currentRow(), -1);
}

TEST_F(SourceEventsTest, AFailedFetchEmptiesTheTableOrThePane) {
    SiteSources dead(SiteConfig{kDeadBase, kDeadBase, kDeadBase}, state);
    const struct {
        const char* what;
        std::function<void()> run;
        std::function<bool()> emptied;
    } cases[] = {
        {"searchSourceOne", [&] { dead.searchSourceOne(); },
         [&] { return state.novelTable().rowCount() == 0; }},
        {"searchSourceTwo", [&] { dead.searchSourceTwo(); },
         [&] { return state.novelTable().rowCount() == 0; }},
        {"listChaptersOne", [&] { dead.listChaptersOne(); },
         [&] { return state.chapterTable().rowCount() == 0; }},
        {"listChaptersTwo", [&] { dead.listChaptersTwo(); },
         [&] { return state.chapterTable().rowCount() == 0; }},
        {"showChapterOne", [&] { dead.showChapterOne(); },
         [&] { return state.readingText().empty(); }},
        {"showChapterTwo", [&] { dead.showChapterTwo(); },
         [&] { return state.readingText().empty(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prepare();
        state.setReadingText("前一章");
        c.run();
        EXPECT_TRUE(c.emptied());
    }
}

}  // namespace
}  // namespace qm::testing
