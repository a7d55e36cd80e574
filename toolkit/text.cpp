#include "toolkit/text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Where the needle's first byte next stands at or after from, up to last
// (inclusive); npos when it does not. With ignoreCase a letter is looked for
// in both cases, as matchesAt compares it.
class FirstByteFinder {
  public:
    FirstByteFinder(const Text& text, unsigned char first, bool ignoreCase)
        : data_(text.data()),
          first_(ignoreCase && !isLeadByte(first) ? foldAscii(first) : first),
          other_(first_ >= 'a' && first_ <= 'z' && ignoreCase
                     ? static_cast<unsigned char>(first_ - 'a' + 'A')
                     : first_) {}

    std::size_t next(std::size_t from, std::size_t last) {
        if (from > last) return Text::npos;
        if (first_ == other_) return find(first_, from, last);
        // Each case's next place is remembered, so a frequent case does not
        // make the rare one be searched for again and again.
        if (!searched_ || nextFirst_ < from) nextFirst_ = find(first_, from, last);
        if (!searched_ || nextOther_ < from) nextOther_ = find(other_, from, last);
        searched_ = true;
        return nextFirst_ < nextOther_ ? nextFirst_ : nextOther_;
    }

  private:
    std::size_t find(unsigned char byte, std::size_t from, std::size_t last) const {
        const void* hit = std::memchr(data_ + from, byte, last - from + 1);
        return hit == nullptr ? Text::npos
                              : static_cast<std::size_t>(static_cast<const char*>(hit) - data_);
    }

    const char* data_;
    unsigned char first_;
    unsigned char other_;
    bool searched_ = false;
    std::size_t nextFirst_ = 0;
    std::size_t nextOther_ = 0;
};

// The first of the bytes of 128 or above that stand right before end, going
// no further back than floor: end itself when the byte before it is below
// 128. Eight bytes at a time, as Chinese text has long runs of such bytes.
std::size_t startOfHighRun(const unsigned char* bytes, std::size_t floor, std::size_t end) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t runStart = end;
    while (runStart - floor >= 8) {
        std::uint64_t eight;
        std::memcpy(&eight, bytes + runStart - 8, sizeof eight);
        const std::uint64_t low = ~eight & kHighBits;  // a bit for each byte below 128
        if (low != 0) {
            // The last byte below 128 among the eight (bytes lie low first).
            return runStart - 8 + static_cast<std::size_t>(63 - std::countl_zero(low)) / 8 + 1;
        }
        runStart -= 8;
    }
    while (runStart > floor && isLeadByte(bytes[runStart - 1])) --runStart;
    return runStart;
}

// The first character start at or after pos, walking from pos, where needle
// (not empty) stands; npos when there is none before fewer bytes remain than
// the needle has. pos must itself be a character start. The walk moves two
// bytes past a byte of 128 or above (the second byte is never a start) and
// one byte past any other; a byte of 128 or above that stands last ends it.
//
// Rather than stepping through every character, this jumps to the places
// where the needle's first byte stands and works out whether each is a
// character start: the byte after one below 128 always is (that byte ends
// its character, single or the second of a pair), and from there on starts
// fall on every other byte while the bytes are 128 or above. Going back over
// those bytes never passes the last start found, so the whole walk stays
// linear in the text.
std::size_t findFrom(const Text& text, std::size_t pos, const Text& needle, bool ignoreCase) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    if (needle.size() > size) return Text::npos;
    const std::size_t last = size - needle.size();  // the last place the needle fits
    FirstByteFinder finder(text, byteAt(needle, 0), ignoreCase);
    std::size_t start = pos;  // a character start; nothing before it matters
    for (;;) {
        const std::size_t candidate = finder.next(start, last);
        if (candidate == Text::npos) return Text::npos;
        const std::size_t runStart = startOfHighRun(bytes, start, candidate);
        if ((candidate - runStart) % 2 != 0) {
            // The second byte of a pair: the next byte starts a character.
            start = candidate + 1;
            continue;
        }
        if (matchesAt(text, candidate, needle, ignoreCase)) return candidate;
        start = candidate + (isLeadByte(bytes[candidate]) ? 2 : 1);
    }
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
    const std::size_t pos = findFrom(text, 0, needle, ignoreCase);
    return pos == Text::npos ? -1 : static_cast<int>(pos + 1);
}

Text replaceAll(const Text& text, const Text& old, const Text& replacement, bool ignoreCase) {
    if (text.empty() || old.empty()) return text;
    Text out;
    out.reserve(text.size());
    std::size_t pos = 0;
    // The characters between two occurrences are copied as one run: the walk
    // over them is the one findFrom makes.
    for (;;) {
        const std::size_t found = findFrom(text, pos, old, ignoreCase);
        if (found == Text::npos) break;
        out.append(text, pos, found - pos);
        out += replacement;
        pos = found + old.size();
    }
    out.append(text, pos, Text::npos);
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
