#include "toolkit/text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace qm {

namespace {

unsigned char byteAt(const Text& text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

bool isLeadByte(unsigned char b) {
    return b >= 0x80;
}

unsigned char foldAscii(unsigned char b) {
    return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

// Whether needle stands in text at pos, which must be the start of a character.
// Only single-byte characters are case folded: both bytes of a double-byte
// character compare exactly, so a second byte that happens to be a letter
// never makes two different Chinese characters equal.
bool matchesAt(const Text& text, std::size_t pos, const Text& needle, bool ignoreCase) {
    std::size_t j = 0;
    while (j < needle.size()) {
        const unsigned char n = byteAt(needle, j);
        const unsigned char t = byteAt(text, pos + j);
        if (isLeadByte(n)) {
            if (t != n) return false;
            if (j + 1 < needle.size() && byteAt(text, pos + j + 1) != byteAt(needle, j + 1)) {
                return false;
            }
            j += 2;
        } else {
            if (ignoreCase ? foldAscii(t) != foldAscii(n) : t != n) return false;
            ++j;
        }
    }
    return true;
}

// Full-width forms of code page 936 folded to their ASCII counterparts.
Text foldFullWidth(const Text& text) {
    Text out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = byteAt(text, i);
        if (!isLeadByte(lead) || i + 1 == text.size()) {
            out.push_back(text[i]);
            ++i;
            continue;
        }
        const unsigned char trail = byteAt(text, i + 1);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out.push_back(static_cast<char>(trail - 0x80));
        } else if (lead == 0xA1 && trail == 0xA1) {
            out.push_back(' ');
        } else if (lead == 0xA1 && trail == 0xAB) {
            out.push_back('~');
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out.push_back('*');
        } else {
            out.push_back(text[i]);
            out.push_back(text[i + 1]);
        }
        i += 2;
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// White space as the classic locale's isspace sees it.
bool isClassicSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The longest prefix of [p, end) of the form digits[.digits][e[sign]digits]
// with at least one mantissa digit; p itself when there is none.
const char* scanUnsignedDecimal(const char* p, const char* end) {
    const char* q = p;
    bool anyDigit = false;
    while (q != end && isDigit(*q)) {
        ++q;
        anyDigit = true;
    }
    if (q != end && *q == '.') {
        ++q;
        while (q != end && isDigit(*q)) {
            ++q;
            anyDigit = true;
        }
    }
    if (!anyDigit) return p;
    if (q != end && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        if (e != end && (*e == '+' || *e == '-')) ++e;
        if (e != end && isDigit(*e)) {
            while (e != end && isDigit(*e)) ++e;
            q = e;
        }
    }
    return q;
}

// For a number from_chars found out of range: whether it overflowed rather
// than underflowed. The number is 0.d... times ten to the power "order", d its
// first nonzero digit; out of range means that power is far from zero.
bool overflows(const char* p, const char* end) {
    long long order = 0;
    const char* q = p;
    bool seenNonzero = false;
    for (; q != end && isDigit(*q); ++q) {
        if (*q != '0') seenNonzero = true;
        if (seenNonzero) ++order;
    }
    if (q != end && *q == '.') {
        ++q;
        for (; q != end && !seenNonzero && *q == '0'; ++q) --order;
        while (q != end && isDigit(*q)) ++q;
    }
    long long exponent = 0;
    bool negative = false;
    if (q != end && (*q == 'e' || *q == 'E')) {
        ++q;
        if (q != end && (*q == '+' || *q == '-')) negative = (*q++ == '-');
        for (; q != end && isDigit(*q); ++q) {
            if (exponent < 1000000000) exponent = exponent * 10 + (*q - '0');
        }
    }
    return order + (negative ? -exponent : exponent) > 0;
}

}  // namespace

int findText(const Text& text, const Text& needle, bool ignoreCase) {
    if (needle.empty()) return text.empty() ? -1 : 1;
    std::size_t pos = 0;
    while (text.size() - pos >= needle.size()) {
        if (matchesAt(text, pos, needle, ignoreCase)) return static_cast<int>(pos + 1);
        if (isLeadByte(byteAt(text, pos))) {
            if (pos + 1 == text.size()) break;
            pos += 2;
        } else {
            pos += 1;
        }
    }
    return -1;
}

Text replaceAll(const Text& text, const Text& old, const Text& replacement, bool ignoreCase) {
    if (text.empty() || old.empty()) return text;
    Text out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.size() - pos < old.size()) {
            out.append(text, pos, Text::npos);
            break;
        }
        if (matchesAt(text, pos, old, ignoreCase)) {
            out += replacement;
            pos += old.size();
            continue;
        }
        const std::size_t charLength =
            (isLeadByte(byteAt(text, pos)) && pos + 1 < text.size()) ? 2 : 1;
        out.append(text, pos, charLength);
        pos += charLength;
    }
    return out;
}

Text leftBytes(const Text& text, long long n) {
    if (n <= 0) return {};
    if (static_cast<unsigned long long>(n) >= text.size()) return text;
    return text.substr(0, static_cast<std::size_t>(n));
}

Text rightBytes(const Text& text, long long n) {
    if (n <= 0) return {};
    if (static_cast<unsigned long long>(n) >= text.size()) return text;
    return text.substr(text.size() - static_cast<std::size_t>(n));
}

int textLength(const Text& text) {
    return static_cast<int>(text.size());
}

Text numberToText(double x) {
    // to_chars with the general format and precision 13 is printf's "%.13g" in
    // the classic locale, whatever locale the process runs in. The longest
    // result, "-1.234567890123e-308", fits the buffer many times over.
    char buffer[64];
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 13);
    if (r.ec != std::errc()) return {};
    return Text(buffer, r.ptr);
}

// Reads the decimal number atof reads in the classic locale: blanks, a sign,
// digits with an optional point and exponent. The prefix is scanned here and
// converted with from_chars, so the result depends on no locale and is the
// same on every C library; "0x..", "inf" and "nan", which some C libraries'
// atof accept and others do not, read as the 0 they begin with, or as 0.
double textToNumber(const Text& text) {
    const Text folded = foldFullWidth(text);
    const char* p = folded.data();
    const char* const end = p + folded.size();
    while (p != end && isClassicSpace(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = (*p++ == '-');
    const char* const numberEnd = scanUnsignedDecimal(p, end);
    if (numberEnd == p) return 0.0;

    double value = 0.0;
    const std::from_chars_result r =
        std::from_chars(p, numberEnd, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        value = overflows(p, numberEnd) ? HUGE_VAL : 0.0;
    } else if (r.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

}  // namespace qm
