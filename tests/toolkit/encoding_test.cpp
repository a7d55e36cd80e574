// Plain literals are code page 936 bytes (the build's execution character
// set); u8 literals are UTF-8.
#include "toolkit/encoding.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "toolkit/event_pump.h"

namespace qm {
namespace {

Text utf8(std::u8string_view text) {
    return Text(text.begin(), text.end());
}

struct ConversionCase {
    const char* what;
    Text input;
    Text expected;
};

TEST(Utf8ToGbk, ConvertsWholeTexts) {
    const std::vector<ConversionCase> cases = {
        {"one character", utf8(u8"中"), "\xD6\xD0"},
        {"mixed with ASCII", utf8(u8"第1章 风起，《云涌》—"), "第1章 风起，《云涌》—"},
        {"the euro sign is byte 80", utf8(u8"€"), "\x80"},
        {"the private-use character that byte FF stands for", utf8(u8"\uF8F5"), "\xFF"},
        {"a character code page 936 lacks", utf8(u8"a한b"), "a?b"},
        {"outside the BMP: one ? per UTF-16 unit", utf8(u8"😀"), "??"},
        // Invalid UTF-8 needs more UTF-16 units than the ANSI count provides.
        {"code page 936 text handed in",
         "\xD6\xD0"
         "abc",
         "??abc"},
        {"a truncated sequence",
         "\xE4\xB8"
         "A",
         "?A"},
        {"a lead byte before a valid character", "\xC3\xC3\xA9", "?\xA8\xA6"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToGbk(c.input), c.expected) << c.what;
}

TEST(GbkToUtf8, ConvertsWholeTexts) {
    const std::vector<ConversionCase> cases = {
        {"one character", "\xD6\xD0", utf8(u8"中")},
        {"mixed with ASCII", "第1章 风起，《云涌》—", utf8(u8"第1章 风起，《云涌》—")},
        {"one euro sign fits the ANSI-sized buffer", "\x80", utf8(u8"€")},
        // One byte each in code page 936, three in UTF-8: twice the ANSI count is too small.
        {"euro signs beyond the ANSI-sized buffer", "\x80\x80\x80", utf8(u8"€€€")},
        {"euro signs between letters",
         "a\x80\x80"
         "b",
         utf8(u8"a€€b")},
        {"a lead byte at the end", "\xD6\xD0\xD6", utf8(u8"中?")},
        {"a lead byte takes the next byte along", "\xD6 abc", utf8(u8"?abc")},
        {"byte FF is a private-use character", "\xFF", utf8(u8"\uF8F5")},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(gbkToUtf8(c.input), c.expected) << c.what;
}

TEST(GbkToUtf8, RoundTripsALongPage) {
    Text page;
    for (int i = 0; i < 2000; ++i) page += "第一章 风起云涌，《测试》——€ abc\r\n";
    const Text converted = gbkToUtf8(page);
    EXPECT_GT(converted.size(), page.size());
    EXPECT_EQ(utf8ToGbk(converted), page);
}

// Every character of GB2312's two planes of Chinese characters, with runs of
// ASCII of all lengths between them: through UTF-8 and back, unchanged.
TEST(GbkToUtf8, RoundTripsEveryCommonCharacter) {
    Text gbk;
    std::size_t characters = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail > 0xF9) continue;  // not assigned
            gbk += static_cast<char>(lead);
            gbk += static_cast<char>(trail);
            ++characters;
            if (trail % 16 == 0)
                gbk += Text("abcdefghijklmnopqrst", static_cast<std::size_t>(lead % 20));
        }
    }
    const Text utf8 = gbkToUtf8(gbk);
    // Three UTF-8 bytes for each two of code page 936.
    EXPECT_EQ(utf8.size(), gbk.size() + characters);
    EXPECT_EQ(utf8ToGbk(utf8), gbk);
}

TEST(ToWide, GivesTheWholeBufferWithItsTerminator) {
    using namespace std::string_literals;
    EXPECT_EQ(toWide("中", kGbkCodePage), "\x2D\x4E\0\0"s);
    EXPECT_EQ(toWide("ab", kGbkCodePage), "a\0b\0\0\0"s);
    // Three units by the ANSI count (a pair and a lone lead byte), one character
    // as UTF-8: the spare unit stays zero.
    EXPECT_EQ(toWide(utf8(u8"中"), kUtf8CodePage), "\x2D\x4E\0\0\0\0"s);
    EXPECT_EQ(toWide("", kGbkCodePage), "");
}

TEST(FromWide, ReadsUpToTheTerminator) {
    using namespace std::string_literals;
    EXPECT_EQ(fromWide("\x2D\x4E\0\0"s, kGbkCodePage), "中");
    EXPECT_EQ(fromWide("\x2D\x4E\0\0"s, kUtf8CodePage), utf8(u8"中"));
    EXPECT_EQ(fromWide("a\0\0\0b\0\0\0"s, kGbkCodePage), "a");
    // No terminator and an odd last byte: only the whole units are read.
    EXPECT_EQ(fromWide("\x2D\x4E"
                       "a"s,
                       kGbkCodePage),
              "中");
    EXPECT_EQ(fromWide("", kGbkCodePage), "");
}

struct EncodeCase {
    Text text;
    bool toUtf8First;
    Text expected;
};

TEST(PercentEncode, EncodesEveryByte) {
    const std::vector<EncodeCase> cases = {
        {"", false, ""},
        {"", true, ""},
        {"abc", false, "%61%62%63"},
        {" ", false, "%20"},
        {"\t", false, "%09"},
        {"a+b/c=~", false, "%61%2B%62%2F%63%3D%7E"},
        {"中", false, "%D6%D0"},
        {"中", true, "%E4%B8%AD"},
        {"\xFF\x80", false, "%FF%80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(percentEncode(c.text, c.toUtf8First), c.expected)
            << c.text << (c.toUtf8First ? " as UTF-8" : "");
    }
}

class PercentEncodeEvents : public ::testing::Test {
  protected:
    void TearDown() override { setEventPump({}); }
};

TEST_F(PercentEncodeEvents, ProcessesEventsAfterEveryByte) {
    int calls = 0;
    setEventPump([&] { ++calls; });
    EXPECT_EQ(percentEncode("中a", true), "%E4%B8%AD%61");
    EXPECT_EQ(calls, 4);  // once per UTF-8 byte
}

TEST_F(PercentEncodeEvents, AKeywordChangedByAnEventDoesNotDisturbTheEncoding) {
    Text keyword = "abc";
    int calls = 0;
    setEventPump([&] {
        ++calls;
        keyword = "a much longer keyword typed meanwhile";
    });
    EXPECT_EQ(percentEncode(keyword, false), "%61%62%63");
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace qm
