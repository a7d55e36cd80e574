#include <gtest/gtest.h>

#include <vector>

#include "toolkit/marker.h"

namespace qm {
namespace {

TEST(TextBetween, CutsAfterTheFirstFrontMarkerUpToTheNextBackMarker) {
    struct Case {
        const char* what;
        Text text;
        Text front;
        Text back;
        Text expected;
    };
    const std::vector<Case> cases = {
        {"plain", "document.write('abc');", "document.write('", "');", "abc"},
        {"front in capitals", "document.write('abc');", "DOCUMENT.WRITE('", "');", "abc"},
        {"back in other case", "<p>x</P>", "<p>", "</p>", "x"},
        {"front missing", "abc');", "document.write('", "');", ""},
        {"back missing", "document.write('abc", "document.write('", "');", ""},
        {"back right after front", "[]tail]", "[", "]", ""},
        {"back before front ignored", "b]x[in]out]", "[", "]", "in"},
        {"first front counts", "[1][2]", "[", "]", "1"},
        {"Chinese text", "<div>第一章 开始</div>", "<div>", "</div>", "第一章 开始"},
        // A marker never matches the second byte of a double-byte character.
        {"front only as a second byte", "\xB0[x]", "[", "]", ""},
        {"front also as a second byte",
         "\xB0"
         "A"
         "xAy]",
         "a", "]", "y"},
        {"empty text", "", "a", "b", ""},
        {"empty front", "abc]", "", "]", "abc"},
        {"empty back", "[abc", "[", "", ""},
        // "#引号" stands for a double quote in either marker.
        {"quote in front", "<a href=\"x.html\">", "href=#引号", "#引号", "x.html"},
        {"quote in back", "title=\"T\" id", "title=\"", "#引号 id", "T"},
        {"quote literal unaffected in text", "a#引号b\"c", "a", "\"", "#引号b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textBetween(c.text, c.front, c.back), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace qm
