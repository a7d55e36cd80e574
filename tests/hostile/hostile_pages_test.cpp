// The sources against pages built to hurt: huge, without a line break, no
// UTF-8 where UTF-8 is expected, and full of unclosed pattern starts. Each
// operation ends within the fetch bound plus a second, holds at most twice
// the size cap, and lists the hits of the page (or shows its chapter).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "hostile_support.h"
#include "platform/headless/memory_reader_state.h"
#include "sources/source_one.h"
#include "sources/source_two.h"
#include "tests/sources/source_test_support.h"
#include "toolkit/fetch.h"
#include "toolkit/pattern.h"

namespace qm::testing {
namespace {

// The program's own bounds: pages of tens of megabytes take their time to
// arrive and to take apart (the Win32 request object is slow to take them in).
constexpr FetchLimits kLimits{};

constexpr std::size_t kMiB = std::size_t{1} << 20;

enum class Operation { searchOne, chaptersOne, chapterTextOne, searchTwo, chaptersTwo };

struct PageCase {
    const char* name;
    const char* kind;  // the hostile server's page kind
    // Page sizes: the Win32 request object takes in a large body slowly.
    std::size_t bytes;
    std::size_t win32Bytes;
    Operation operation;
    Rows rows;  // the table the operation fills
};

const Rows kOneHits = {{"1", "书1", "1", "bukanshu"}, {"2", "书2", "2", "bukanshu"}};
const Rows kTwoHits = {{"1", "1", "1/", "ranwen"}, {"2", "2", "2/", "ranwen"}};

const PageCase kPageCases[] = {
    {"longLineSearchOne", "long-line", 20 * kMiB, 4 * kMiB, Operation::searchOne, kOneHits},
    {"longLineSearchTwo", "long-line", 20 * kMiB, 4 * kMiB, Operation::searchTwo, kTwoHits},
    {"longLineChapterOne", "long-line", 20 * kMiB, 4 * kMiB, Operation::chapterTextOne, {}},
    // A byte that is no UTF-8 becomes "?" in code page 936.
    {"invalidUtf8SearchOne",
     "invalid-utf8",
     4 * kMiB,
     1 * kMiB,
     Operation::searchOne,
     {{"1", "书?1", "1", "bukanshu"}, {"2", "书2", "2", "bukanshu"}}},
    {"baitSearchOne", "bait", 20 * kMiB, 4 * kMiB, Operation::searchOne, kOneHits},
    // The page's last chapter link is dropped, as always.
    {"baitChaptersOne", "bait", 20 * kMiB, 4 * kMiB, Operation::chaptersOne, {{"1", "1", "1"}}},
    {"baitSearchTwo", "bait", 20 * kMiB, 4 * kMiB, Operation::searchTwo, kTwoHits},
    {"baitTableSearchTwo", "bait-table", 20 * kMiB, 4 * kMiB, Operation::searchTwo, kTwoHits},
    {"baitChaptersTwo",
     "bait",
     32 * kMiB,
     8 * kMiB,
     Operation::chaptersTwo,
     {{"1", "1", "1.html"}, {"2", "2", "2.html"}}},
};

void selectOnly(TextTable& table, const std::vector<Text>& cells) {
    table.clear();
    const int row = table.appendRow();
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) table.setCell(row, c, cells[c]);
    table.setCurrentRow(row);
}

std::string caseName(const ::testing::TestParamInfo<PageCase>& info) {
    return info.param.name;
}

// Test names carry the case's name, not its bytes.
void PrintTo(const PageCase& c, std::ostream* out) {
    *out << c.name;
}

class HostilePage : public ::testing::TestWithParam<PageCase> {
  protected:
    void SetUp() override {
        saved_ = fetchLimits();
        setFetchLimits(kLimits);
        createSharedPattern();
        warmUp();
    }
    void TearDown() override {
        destroySharedPattern();
        setFetchLimits(saved_);
    }

    // Runs the operation against a site whose every page is of the case's kind.
    void run(const PageCase& c, const Text& base) {
        const SiteConfig config{base, base, base};
        SourceOne one(config, state);
        SourceTwo two(config, state);
        state.setSearchText("ab");
        switch (c.operation) {
            case Operation::searchOne:
                one.searchSourceOne();
                break;
            case Operation::chaptersOne:
                selectOnly(state.novelTable(), {"1", "书", "novel", "bukanshu"});
                one.listChaptersOne();
                break;
            case Operation::chapterTextOne:
                state.setTextStoreDir("1/2/");
                selectOnly(state.chapterTable(), {"1", "章", "3"});
                one.showChapterOne();
                break;
            case Operation::searchTwo:
                two.searchSourceTwo();
                break;
            case Operation::chaptersTwo:
                selectOnly(state.novelTable(), {"1", "书", "b/", "ranwen"});
                two.listChaptersTwo();
                break;
        }
    }

    MemoryReaderState state;

  private:
    FetchLimits saved_;
    NoMessageBoxes noBoxes_;
};

TEST_P(HostilePage, EndsInTimeWithinMemoryWithThePagesHits) {
    const PageCase& c = GetParam();
#ifdef _WIN32
    const std::size_t bytes = c.win32Bytes;
#else
    const std::size_t bytes = c.bytes;
#endif
    const Text base = hostileServer() + c.kind + "/" + std::to_string(bytes) + "/";
    const Outcome outcome = measure([&] { run(c, base); });

    if (c.operation == Operation::chapterTextOne) {
        const Text text = state.readingText();
        report("page", c.name, std::to_string(text.size()) + " bytes of reading text", outcome);
        EXPECT_GE(text.size(), bytes);
        EXPECT_EQ(text.substr(0, 18), "<span>中文</span> ");
        EXPECT_EQ(text.substr(text.size() - 5), "\r\nend");
    } else {
        const bool novels =
            c.operation == Operation::searchOne || c.operation == Operation::searchTwo;
        const Rows rows = rowsOf(novels ? state.novelTable() : state.chapterTable());
        report("page", c.name, std::to_string(rows.size()) + " rows", outcome);
        EXPECT_EQ(rows, c.rows);
    }
    EXPECT_LE(outcome.ms, kLimits.totalTimeoutMs + 1000);
    if (memoryIsBounded()) {
        EXPECT_LE(outcome.peakGrowth, 2 * kLimits.maxBodyBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, HostilePage, ::testing::ValuesIn(kPageCases), caseName);

}  // namespace
}  // namespace qm::testing
