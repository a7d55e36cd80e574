#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <vector>

#include "toolkit/text.h"

namespace qm {
namespace {

// Byte layout used below: "中" is D6 D0 and "文" is CE C4 in code page 936;
// B0 41 is a double-byte character whose second byte is an ASCII "A".

TEST(FindText, FindsCharacterAlignedOccurrences) {
    struct Case {
        Text text;
        Text needle;
        bool ignoreCase;
        int expected;
    };
    const std::vector<Case> cases = {
        {"abc", "", false, 1},
        {"", "", false, -1},
        {"", "a", false, -1},
        {"abcabc", "bc", false, 2},
        {"ab", "abc", false, -1},
        {"中文abc", "文", false, 3},
        {"中文abc", "c", false, 7},
        // An ASCII needle never matches the second byte of a double-byte character.
        {"\xB0"
         "A",
         "A", false, -1},
        {"\xB0"
         "AA",
         "A", false, 3},
        // Nor does a needle that straddles two characters: B0 D6 | D0 B0.
        {"\xB0\xD6\xD0\xB0", "中", false, -1},
        // A lead byte standing last is still a candidate, but ends the search.
        {"a\xB0", "\xB0", false, 2},
        {"a\xB0",
         "\xB0"
         "A",
         false, -1},
        // Case folding touches ASCII letters only, never a second byte.
        {"xABC", "bc", true, 3},
        {"xABC", "bc", false, -1},
        {"[", "{", true, -1},
        {"\xB0"
         "A",
         "\xB0"
         "a",
         true, -1},
        {"中文ABC", "文aB", true, 3},
        // Long runs of bytes of 128 or above pair up from their first byte on,
        // whatever ends the run: sixteen make eight characters, seventeen
        // take the letter after them as their last second byte.
        {Text(16, '\xB0') + "A", "A", false, 17},
        {Text(17, '\xB0') + "A", "A", false, -1},
        {Text(16, '\xB0') + "a", "A", true, 17},
        {Text(17, '\xB0') + "a", "A", true, -1},
        // The x is a second byte, and the character after it starts a new run.
        {"\xB0x" + Text(15, '\xB0') + "A", "A", false, -1},
        {"\xB0x" + Text(14, '\xB0') + "A", "A", false, 17},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findText(c.text, c.needle, c.ignoreCase), c.expected)
            << "text \"" << c.text << "\" needle \"" << c.needle << "\" ignoreCase "
            << c.ignoreCase;
    }
}

TEST(ReplaceAll, ReplacesWholeCharactersWithoutOverlap) {
    struct Case {
        Text text;
        Text old;
        Text replacement;
        bool ignoreCase;
        Text expected;
    };
    const std::vector<Case> cases = {
        {"aaaa", "aa", "a", false, "aa"},
        {"aaa", "aa", "b", false, "ba"},
        {"abc", "", "x", false, "abc"},
        {"", "a", "x", false, ""},
        {"ab", "abc", "x", false, "ab"},
        // The inserted text is not searched again.
        {"ab", "a", "aa", false, "aab"},
        {"a-b-c", "-", "", false, "abc"},
        {"中文中", "中", "x", false, "x文x"},
        {"\xB0"
         "AA",
         "A", "x", false,
         "\xB0"
         "Ax"},
        {"\xB0\xD6\xD0\xB0", "中", "x", false, "\xB0\xD6\xD0\xB0"},
        // A lead byte standing last reaches the result untouched.
        {"a\xB0", "a", "b", false, "b\xB0"},
        {"aXbx", "x", "-", true, "a-b-"},
        {"aXbx", "x", "-", false, "aXb-"},
        {"\xB0"
         "A",
         "a", "-", true,
         "\xB0"
         "A"},
        {Text(16, '\xB0') + "AA", "A", "x", false, Text(16, '\xB0') + "xx"},
        {Text(17, '\xB0') + "AA", "A", "x", false, Text(17, '\xB0') + "Ax"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(replaceAll(c.text, c.old, c.replacement, c.ignoreCase), c.expected)
            << "text \"" << c.text << "\" old \"" << c.old << "\" ignoreCase " << c.ignoreCase;
    }
}

TEST(ByteSlices, CountAndCutBytesNotCharacters) {
    struct Case {
        Text text;
        long long n;
        Text left;
        Text right;
    };
    const std::vector<Case> cases = {
        {"abc", 0, "", ""},
        {"abc", -1, "", ""},
        {"abc", 2, "ab", "bc"},
        {"abc", 3, "abc", "abc"},
        {"abc", 5, "abc", "abc"},
        {"", 2, "", ""},
        // Cutting may split a double-byte character.
        {"中文", 1, "\xD6", "\xC4"},
        {"中文", 3, "中\xCE", "\xD0文"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(leftBytes(c.text, c.n), c.left) << c.text << " n=" << c.n;
        EXPECT_EQ(rightBytes(c.text, c.n), c.right) << c.text << " n=" << c.n;
    }
    EXPECT_EQ(textLength(""), 0);
    EXPECT_EQ(textLength("中文a"), 5);
}

TEST(NumberToText, FormatsAsThirteenSignificantDigits) {
    struct Case {
        double x;
        Text expected;
    };
    const std::vector<Case> cases = {
        {0, "0"},
        {1, "1"},
        {1123, "1123"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333"},
        {9999999999999, "9999999999999"},
        {1e13, "1e+13"},
        {123456789012345, "1.234567890123e+14"},
        {1e-5, "1e-05"},
        {1e100, "1e+100"},
    };
    for (const Case& c : cases) EXPECT_EQ(numberToText(c.x), c.expected) << c.x;
}

TEST(TextToNumber, ReadsTheLeadingDecimalNumber) {
    struct Case {
        Text text;
        double expected;
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"abc", 0},
        {"12ab", 12},
        {"  -3.5e2x", -350},
        {"\t\n+7", 7},
        {"12 34", 12},
        {"1,5", 1},
        {".5", 0.5},
        {"5.", 5},
        {"-.25", -0.25},
        {".", 0},
        {"-", 0},
        {"+-1", 0},
        {"1e", 1},
        {"2e+", 2},
        {"3E-1z", 0.3},
        {"中12", 0},
        {"1\xA3", 1},
        // Full-width digits, point, sign and blank fold to ASCII first.
        {"１２３", 123},
        {"１２．５", 12.5},
        {"－８", -8},
        {"　４２", 42},
        {"１ｅ３", 1000},
        // Decimal only: the hexadecimal and special forms some C libraries
        // accept read as the number they begin with.
        {"0x1A", 0},
        {"inf", 0},
        {"nan", 0},
        // Beyond the range of a double.
        {"1e-400", 0},
        {"0.0001e-320", 0},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
    };
    for (const Case& c : cases) EXPECT_EQ(textToNumber(c.text), c.expected) << c.text;

    EXPECT_EQ(textToNumber("1e400"), HUGE_VAL);
    EXPECT_EQ(textToNumber("-1000e306"), -HUGE_VAL);
    EXPECT_EQ(textToNumber("0.001e311"), 1e308);
    EXPECT_TRUE(std::signbit(textToNumber("-0")));
}

// Numbers are read and written with a decimal point whatever locale the
// process has set.
TEST(NumberText, IgnoresTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* commaLocale = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "German"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            commaLocale = name;
            break;
        }
    }
    if (commaLocale == nullptr) GTEST_SKIP() << "no locale with a decimal comma here";
    const Text written = numberToText(2.5);
    const double read = textToNumber("2.5");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(written, "2.5") << commaLocale;
    EXPECT_EQ(read, 2.5) << commaLocale;
}

}  // namespace
}  // namespace qm
