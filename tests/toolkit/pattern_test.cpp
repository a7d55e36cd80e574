#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/literal_chain.h"
#include "toolkit/pattern.h"

namespace qm {
namespace {

class SharedPatternTest : public ::testing::Test {
  protected:
    void SetUp() override { createSharedPattern(); }
    void TearDown() override { destroySharedPattern(); }
};

// Each match as "offset:text" of its record 0.
std::vector<std::string> wholeMatches(const Text& pattern, const Text& text) {
    EXPECT_TRUE(compilePattern(pattern)) << pattern;
    std::vector<std::string> out;
    for (const PatternMatch& m : searchAll(text)) {
        out.push_back(std::to_string(m.records.at(0).offset) + ":" + subMatchText(m, text, 0));
    }
    return out;
}

TEST_F(SharedPatternTest, FindsEveryNonOverlappingMatchLeftToRight) {
    struct Case {
        Text pattern;
        Text text;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"aa", "aaaa", {"0:aa", "2:aa"}},
        {"aa", "aaa", {"0:aa"}},
        {"aa", "", {}},
        {"zz", "aaa", {}},
        // Case-insensitive: lower-case markup patterns find upper-case tags.
        {"<td>(.*?)</td>", "<TD>x</TD><td>y</Td>", {"0:<TD>x</TD>", "10:<td>y</Td>"}},
        // "." spans line breaks, so a lazy group can cover several lines.
        {"<p>(.*?)</p>", "<p>a\r\nb</p>\n<p>c</p>", {"0:<p>a\r\nb</p>", "12:<p>c</p>"}},
        // Each search starts afresh: "^" holds where the previous match ended.
        {"^a", "aab", {"0:a", "1:a"}},
        // Code page 936 bytes in pattern and text; "." takes one byte.
        {"章(.*?)节", "第一章abc节 第二章d节", {"4:章abc节", "16:章d节"}},
        {"<b>.</b>", "<b>中</b><b>x</b>", {"9:<b>x</b>"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wholeMatches(c.pattern, c.text), c.expected) << c.pattern;
    }
}

TEST_F(SharedPatternTest, RecordsEveryGroupWithOffsetsFromTheTextStart) {
    const Text page =
        "<li><a href=\"/b/7.html\">第一章</a></li>\r\n<li><A HREF=\"/b/9.html\">尾声</A>";
    ASSERT_TRUE(compilePattern("<a href=\"(.*?)\">(.*?)</a>"));
    const MatchList matches = searchAll(page);
    ASSERT_EQ(matches.size(), 2u);
    for (const PatternMatch& m : matches) ASSERT_EQ(m.records.size(), 3u);

    EXPECT_EQ(subMatchText(matches[0], page, 1), "/b/7.html");
    EXPECT_EQ(subMatchText(matches[0], page, 2), "第一章");
    EXPECT_EQ(subMatchText(matches[1], page, 1), "/b/9.html");
    EXPECT_EQ(subMatchText(matches[1], page, 2), "尾声");

    const SubMatch& href = matches[1].records[1];
    EXPECT_TRUE(href.matched);
    EXPECT_EQ(href.offset, static_cast<long long>(page.find("/b/9")));
    EXPECT_EQ(href.length, 9);
    EXPECT_EQ(matches[0].records[0].offset, 4);
}

TEST_F(SharedPatternTest, LazyGroupCapturesCarriageReturnAndLineFeed) {
    const Text text = "a\r\nb";
    ASSERT_TRUE(compilePattern("a(.*?)b"));
    const MatchList matches = searchAll(text);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(subMatchText(matches[0], text, 0), text);
    EXPECT_EQ(subMatchText(matches[0], text, 1), "\r\n");
}

TEST_F(SharedPatternTest, SubMatchTextOfAbsentOrEmptyGroupsIsEmpty) {
    const Text text = "xy ab";
    ASSERT_TRUE(compilePattern("(x)|(y)|a()b"));
    const MatchList matches = searchAll(text);
    ASSERT_EQ(matches.size(), 3u);

    EXPECT_EQ(subMatchText(matches[0], text, 1), "x");
    EXPECT_FALSE(matches[0].records[2].matched);
    EXPECT_EQ(subMatchText(matches[0], text, 2), "");
    EXPECT_EQ(subMatchText(matches[1], text, 1), "");
    EXPECT_EQ(subMatchText(matches[1], text, 2), "y");
    // A group that took part but captured nothing.
    EXPECT_TRUE(matches[2].records[3].matched);
    EXPECT_EQ(subMatchText(matches[2], text, 3), "");
    // Numbers outside the records, and a shorter text than the one searched.
    EXPECT_EQ(subMatchText(matches[2], text, 4), "");
    EXPECT_EQ(subMatchText(matches[2], text, -1), "");
    EXPECT_EQ(subMatchText(matches[2], "xy a", 0), "a");
    EXPECT_EQ(subMatchText(matches[2], "xy", 0), "");
}

TEST_F(SharedPatternTest, MalformedPatternKeepsThePreviousOne) {
    ASSERT_TRUE(compilePattern("b+"));
    for (const Text bad : {"(", "a)", "[a", "*a", "a{2,1}", "(?<"}) {
        EXPECT_FALSE(compilePattern(bad)) << bad;
    }
    const MatchList matches = searchAll("abbc");
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(subMatchText(matches[0], "abbc", 0), "bb");
}

TEST(SharedPatternLifetime, NothingIsCompiledOrFoundWithoutAPattern) {
    EXPECT_FALSE(compilePattern("a"));
    EXPECT_TRUE(searchAll("a").empty());

    createSharedPattern();
    EXPECT_TRUE(searchAll("a").empty()) << "created empty";
    EXPECT_TRUE(compilePattern("a"));
    EXPECT_EQ(searchAll("aa").size(), 2u);

    destroySharedPattern();
    EXPECT_TRUE(searchAll("aa").empty());
    EXPECT_FALSE(compilePattern("a"));

    createSharedPattern();
    EXPECT_TRUE(searchAll("aa").empty()) << "a new object holds no old pattern";
    destroySharedPattern();
}

// An empty match at the very beginning ends the search; after any other empty
// match the search steps one byte on, so every pattern ends.
TEST_F(SharedPatternTest, PatternsMatchingEmptyTextStillMoveOn) {
    struct Case {
        Text pattern;
        Text text;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"a*", "baaa", {"0:"}}, {"a*", "aab", {"0:aa", "2:", "3:"}},
        {"x?", "ab", {"0:"}},   {"(?=b)", "abab", {"1:", "3:"}},
        {"$", "ab", {"2:"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wholeMatches(c.pattern, c.text), c.expected) << c.pattern;
    }
}

TEST_F(SharedPatternTest, EngineGivingUpKeepsTheMatchesFoundBefore) {
    // Nested repeats over a long run with no "b": exponential backtracking,
    // which the engine abandons instead of running for ever.
    const Text text = "ab" + std::string(300, 'a');
    EXPECT_EQ(wholeMatches("(a*)*b", text), std::vector<std::string>{"0:ab"});
    EXPECT_TRUE(wholeMatches("(a|aa)+c", text).empty());
}

// A page of unclosed starts after the hits: each start sends a lazy group to
// the end of the page, which the engine alone takes minutes over.
TEST_F(SharedPatternTest, UnclosedStartsAfterTheLastHitEndTheSearch) {
    const Text pattern = "<a name='(.*?)' id='(.*?)'class='bookLink' title='(.*?)' href";
    const Text hit = "<a name='1' id='7'class='bookLink' title='t' href";
    Text page = hit + "x" + hit;
    while (page.size() < 2'000'000) page += "<a name='k<a name='k' id='k";
    EXPECT_EQ(wholeMatches(pattern, page).size(), 2u);
    // Closed at the very end: the first start reaches the closing pieces.
    const std::vector<std::string> closed = wholeMatches(pattern, page + hit);
    ASSERT_EQ(closed.size(), 3u);
    EXPECT_EQ(closed[2].substr(0, closed[2].find(':')), std::to_string(2 * hit.size() + 1));
}

TEST(LiteralChain, TellsWhereTheLastPossibleMatchBegins) {
    constexpr std::size_t none = LiteralChain::npos;
    struct Case {
        Text pattern;
        Text text;
        std::size_t expected;
    };
    const std::vector<Case> cases = {
        {"a(.*?)b", "xaxbxaxx", 1},
        {"a(.*?)b", "ab", 0},
        {"a(.*?)b", "ba", none},
        {"a(.*?)b", "", none},
        // Pieces may not overlap: "ab" then "b" needs two b.
        {"ab(.*?)b", "xab", none},
        {"ab(.*?)b", "abab", 0},
        // ASCII letters without regard to case; other bytes exactly.
        {"<TD>(.*?)</td>", "<td>x</TD>", 0},
        {"章(.*?)节", "章x节章", 0},
        // "." takes any byte, within a piece and as the whole of one.
        {"a.c(.*?)d", "xa\ncd", 1},
        {"a.c(.*?)d", "abcdabd", 0},
        {"(.*?)x", "yyx", 2},
        {"(.*?)", "abc", 3},
        {"..", "a", none},
    };
    for (const Case& c : cases) {
        const auto chain = LiteralChain::of(c.pattern);
        ASSERT_TRUE(chain.has_value()) << c.pattern;
        EXPECT_EQ(chain->lastPossibleStart(c.text), c.expected) << c.pattern << " in " << c.text;
    }
    // Anything else is left to the engine alone.
    for (const Text other :
         {"a+", "(a)", "a|b", "[ab]", "a{2}", "\\d", "^a", "(.*)", "(.*?)+", "a?", "(?:a)"}) {
        EXPECT_FALSE(LiteralChain::of(other).has_value()) << other;
    }
}

}  // namespace
}  // namespace qm
