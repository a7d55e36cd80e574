// The natively built code-page conversion, made to answer as Windows does
// with flags 0. Code page 0 (the ANSI code page) is 936 here.
//
// Code page 936 is converted through two tables that iconv fills once, one
// character at a time: which UTF-16 unit each byte and byte pair stands for,
// and which bytes each UTF-16 unit becomes. The conversions themselves are
// then table look-ups, and UTF-8 is decoded and encoded here directly: the
// whole of utf8ToGbk, four passes, takes about as long as one iconv call.
//
// Where a character has no counterpart, Windows substitutes, and so do we:
// - UTF-8 input: each maximal ill-formed subsequence becomes U+FFFD.
// - Code page 936 input: a lead byte (81..FE) always takes the next byte with
//   it; a pair or a single byte without a character becomes "?" (U+003F),
//   and FF becomes U+F8F5 (and back), as in Windows' table. 80 is the euro
//   sign.
// - Output to code page 936: each UTF-16 unit without a character there
//   becomes "?" (a character outside the BMP gives two). Output to UTF-8: a
//   lone surrogate becomes U+FFFD.
// Counting (capacity 0) walks the input just as writing does, so the two
// always agree; it only leaves out the look-ups that cannot change a length.
// A buffer too small makes the call fail (0), as on Windows; what it then
// holds is unspecified.
#include <iconv.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>
#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "toolkit/codepage.h"
#include "toolkit/encoding.h"

namespace qm::codepage {

namespace {

constexpr char16_t kReplacementCharacter = u'\uFFFD';
constexpr char16_t kQuestionMark = u'?';

// ---- Code page 936 tables, filled by iconv -------------------------------

bool isGbkLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

class GbkTables {
  public:
    GbkTables() {
        const iconv_t decoder = iconv_open("UTF-16LE", "CP936");
        const iconv_t encoder = iconv_open("CP936", "UTF-16LE");
        ready_ = decoder != invalid() && encoder != invalid();
        if (ready_) {
            fillDecoding(decoder);
            fillEncoding(encoder);
        }
        if (decoder != invalid()) iconv_close(decoder);
        if (encoder != invalid()) iconv_close(encoder);
    }

    bool ready() const { return ready_; }

    // The unit a byte that stands alone decodes to, "?" when it has none.
    char16_t singleUnit(unsigned char byte) const { return singleUnits_[byte]; }
    // The unit of a lead byte and the byte after it, "?" when the pair has none.
    char16_t pairUnit(unsigned char lead, unsigned char trail) const {
        return pairUnits_[static_cast<std::size_t>(lead - 0x81) * 256 + trail];
    }
    // The code page 936 bytes of a unit: 0 none, up to FF one byte, else
    // lead * 256 + trail.
    std::uint16_t unitBytes(char16_t unit) const { return unitBytes_[unit]; }
    // How many bytes the unit takes ("?" for none is one); a table of bits
    // small enough to stay in the cache while a long text is counted.
    std::size_t encodedLength(char16_t unit) const {
        return 1 + ((twoByteUnits_[unit / 64] >> (unit % 64)) & 1);
    }

  private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }

    // Converts in as one whole character; false when iconv refuses it or
    // gives something other than out's expected size.
    static bool convertOne(iconv_t cd, const char* in, std::size_t inBytes, char* out,
                           std::size_t& outBytes) {
        char* source = const_cast<char*>(in);  // iconv does not write it
        std::size_t sourceLeft = inBytes;
        char* target = out;
        std::size_t targetLeft = outBytes;
        const std::size_t rc = iconv(cd, &source, &sourceLeft, &target, &targetLeft);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (rc == static_cast<std::size_t>(-1) || sourceLeft != 0) return false;
        outBytes -= targetLeft;
        return true;
    }

    static bool decodeOne(iconv_t cd, const char* in, std::size_t inBytes, char16_t& unit) {
        char out[8];
        std::size_t outBytes = sizeof out;
        if (!convertOne(cd, in, inBytes, out, outBytes) || outBytes != 2) return false;
        unit = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                     (static_cast<unsigned char>(out[1]) << 8));
        return unit != 0;
    }

    void fillDecoding(iconv_t cd) {
        singleUnits_.fill(kQuestionMark);
        pairUnits_.fill(kQuestionMark);
        for (unsigned byte = 1; byte < 256; ++byte) {
            const char in[1] = {static_cast<char>(byte)};
            char16_t unit = 0;
            if (decodeOne(cd, in, 1, unit)) {
                singleUnits_[byte] = unit;
            } else if (byte == 0xFF) {
                singleUnits_[byte] = u'\uF8F5';
            }
        }
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 1; trail < 256; ++trail) {
                const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char16_t unit = 0;
                if (decodeOne(cd, in, 2, unit)) {
                    pairUnits_[(lead - 0x81) * 256 + trail] = unit;
                }
            }
        }
    }

    void fillEncoding(iconv_t cd) {
        for (unsigned unit = 1; unit < 0x10000; ++unit) {
            if (unit >= 0xD800 && unit <= 0xDFFF) continue;  // surrogates: never alone
            const char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
            char out[8];
            std::size_t outBytes = sizeof out;
            if (!convertOne(cd, in, 2, out, outBytes)) continue;
            const auto first = static_cast<unsigned char>(out[0]);
            if (outBytes == 1 && first != 0) {
                unitBytes_[unit] = first;
            } else if (outBytes == 2 && isGbkLead(first)) {
                unitBytes_[unit] =
                    static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(out[1]));
                twoByteUnits_[unit / 64] |= std::uint64_t{1} << (unit % 64);
            }
        }
        // The way back for the byte FF, which decodes to U+F8F5 above.
        if (unitBytes_[0xF8F5] == 0) unitBytes_[0xF8F5] = 0xFF;
    }

    bool ready_ = false;
    std::array<char16_t, 256> singleUnits_{};
    std::array<char16_t, 126 * 256> pairUnits_{};
    std::array<std::uint16_t, 0x10000> unitBytes_{};
    std::array<std::uint64_t, 0x10000 / 64> twoByteUnits_{};
};

const GbkTables& gbkTables() {
    static const GbkTables tables;
    return tables;
}

// ---- Runs of ASCII, and of pairs ------------------------------------------
// Pages are largely markup: a run of bytes (units) below 128 is found and
// goes straight through as a whole, sixteen at a time where SSE2 is there.
// Chinese text in code page 936 is long runs of pairs, taken four at a time.

constexpr std::size_t kPairBlock = 8;

bool asciiBytes(const unsigned char* in) {
    std::uint64_t eight;
    std::memcpy(&eight, in, sizeof eight);
    return (eight & 0x8080808080808080ULL) == 0;
}

bool asciiUnits(const char16_t* in) {
    std::uint64_t four;
    std::memcpy(&four, in, sizeof four);
    return (four & 0xFF80FF80FF80FF80ULL) == 0;
}

// How many of the size bytes from in on are below 128, from the first.
std::size_t asciiRun(const unsigned char* in, std::size_t size) {
    std::size_t n = 0;
#if defined(__SSE2__)
    for (; size - n >= 16; n += 16) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + n));
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(sixteen));
        if (high != 0) return n + static_cast<std::size_t>(std::countr_zero(high));
    }
#endif
    for (; size - n >= 8 && asciiBytes(in + n); n += 8) {
    }
    while (n < size && in[n] < 0x80) ++n;
    return n;
}

// The same for units.
std::size_t asciiRun(const char16_t* in, std::size_t size) {
    std::size_t n = 0;
#if defined(__SSE2__)
    const __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; size - n >= 8; n += 8) {
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + n));
        const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(eight, notAscii), _mm_setzero_si128());
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(ascii));
        if (mask != 0xFFFF) return n + static_cast<std::size_t>(std::countr_one(mask)) / 2;
    }
#endif
    for (; size - n >= 4 && asciiUnits(in + n); n += 4) {
    }
    while (n < size && in[n] < 0x80) ++n;
    return n;
}

// Copies count characters below 128 from bytes to units or back.
void copyAscii(const unsigned char* in, char16_t* out, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; count - i >= 16; i += 16) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_unpacklo_epi8(sixteen, _mm_setzero_si128()));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8),
                         _mm_unpackhi_epi8(sixteen, _mm_setzero_si128()));
    }
#endif
    for (; i < count; ++i) out[i] = in[i];
}

void copyAscii(const char16_t* in, char* out, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; count - i >= 16; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
#endif
    for (; i < count; ++i) out[i] = static_cast<char>(in[i]);
}

// ---- Where the output goes: counted only, or written within a capacity ---

template <typename Unit>
class Counter {
  public:
    static constexpr bool kCounting = true;

    void put(Unit) { ++count_; }
    void put(Unit, Unit) { count_ += 2; }
    void put(Unit, Unit, Unit) { count_ += 3; }
    void put(Unit, Unit, Unit, Unit) { count_ += 4; }
    void add(std::size_t count) { count_ += count; }
    template <typename From>
    void putAscii(const From*, std::size_t count) {
        count_ += count;
    }

    // The seam's answer: the count with the terminator.
    int finish() const {
        return count_ + 1 > static_cast<std::size_t>(INT_MAX) ? 0 : static_cast<int>(count_ + 1);
    }

  private:
    std::size_t count_ = 0;
};

template <typename Unit>
class Writer {
  public:
    static constexpr bool kCounting = false;

    Writer(Unit* out, int capacity) : begin_(out), next_(out), end_(out + capacity) {}

    // A sequence is written whole or not at all.
    void put(Unit a) {
        if (room(1)) *next_++ = a;
    }
    void put(Unit a, Unit b) {
        if (!room(2)) return;
        next_[0] = a;
        next_[1] = b;
        next_ += 2;
    }
    void put(Unit a, Unit b, Unit c) {
        if (!room(3)) return;
        next_[0] = a;
        next_[1] = b;
        next_[2] = c;
        next_ += 3;
    }
    void put(Unit a, Unit b, Unit c, Unit d) {
        if (!room(4)) return;
        next_[0] = a;
        next_[1] = b;
        next_[2] = c;
        next_[3] = d;
        next_ += 4;
    }

    // Characters below 128, the same value in every code page here.
    template <typename From>
    void putAscii(const From* in, std::size_t count) {
        if (!room(static_cast<std::ptrdiff_t>(count))) return;
        copyAscii(in, next_, count);
        next_ += count;
    }

    // The seam's answer: the number written with the terminator, or 0 when
    // the result did not fit.
    int finish() {
        put(0);
        return overflowed_ ? 0 : static_cast<int>(next_ - begin_);
    }

  private:
    bool room(std::ptrdiff_t units) {
        if (end_ - next_ >= units) return true;
        overflowed_ = true;
        next_ = end_;
        return false;
    }

    Unit* begin_;
    Unit* next_;
    Unit* end_;
    bool overflowed_ = false;
};

// Input bytes with their count (the terminator not included).
struct Bytes {
    const unsigned char* data;
    std::size_t size;
    unsigned char operator[](std::size_t i) const { return data[i]; }
};

// Whether all eight bytes are lead bytes of code page 936 (81 to FE).
bool leadBytes(const unsigned char* in) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::uint64_t eight;
    std::memcpy(&eight, in, sizeof eight);
    const auto hasZeroByte = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHighBits) != 0; };
    return (eight & kHighBits) == kHighBits && !hasZeroByte(eight ^ kHighBits) &&
           !hasZeroByte(~eight);
}

// ---- Decoding into UTF-16 ------------------------------------------------

bool isContinuation(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

// Decodes the UTF-8 character at in[pos] into out and returns its length, or
// puts U+FFFD for the maximal ill-formed subsequence there (a lead byte with
// those continuation bytes that could still have led to a well-formed
// character) and returns that length, at least 1.
template <typename Out>
std::size_t decodeUtf8Character(Bytes in, std::size_t pos, Out& out) {
    const unsigned char lead = in[pos];
    std::size_t needed = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed = 2;
        code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed = 3;
        code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    }
    std::size_t length = 1;
    for (std::size_t i = 0; i < needed && pos + length < in.size; ++i) {
        const unsigned char byte = in[pos + length];
        const bool fits = i == 0 ? (byte >= low && byte <= high) : isContinuation(byte);
        if (!fits) break;
        code = (code << 6) | (byte & 0x3F);
        ++length;
    }
    if (needed == 0 || length != needed + 1) {
        out.put(kReplacementCharacter);
        return length;
    }
    if (code >= 0x10000) {
        code -= 0x10000;
        out.put(static_cast<char16_t>(0xD800 + (code >> 10)),
                static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
        out.put(static_cast<char16_t>(code));
    }
    return length;
}

template <typename Out>
void decodeUtf8(Bytes in, Out& out) {
    const unsigned char* bytes = in.data;
    const std::size_t size = in.size;
    std::size_t pos = 0;
    while (pos < size) {
        const unsigned char byte = bytes[pos];
        if (byte < 0x80) {
            const std::size_t run = asciiRun(bytes + pos, size - pos);
            out.putAscii(bytes + pos, run);
            pos += run;
        } else if (byte >= 0xE1 && byte <= 0xEF && byte != 0xED && size - pos >= 3 &&
                   isContinuation(bytes[pos + 1]) && isContinuation(bytes[pos + 2])) {
            // The common case of Chinese text, a three-byte character that
            // needs none of the general walk's range checks.
            out.put(static_cast<char16_t>((byte & 0x0F) << 12 | (bytes[pos + 1] & 0x3F) << 6 |
                                          (bytes[pos + 2] & 0x3F)));
            pos += 3;
        } else {
            pos += decodeUtf8Character(in, pos, out);
        }
    }
}

template <typename Out>
void decodeGbk(const GbkTables& tables, Bytes in, Out& out) {
    const unsigned char* bytes = in.data;
    const std::size_t size = in.size;
    std::size_t pos = 0;
    while (pos < size) {
        const unsigned char byte = bytes[pos];
        if (byte < 0x80) {
            // At a character start, bytes below 128 are characters of their own.
            const std::size_t run = asciiRun(bytes + pos, size - pos);
            out.putAscii(bytes + pos, run);
            pos += run;
        } else if (isGbkLead(byte) && pos + 1 < size) {
            if (size - pos >= kPairBlock && leadBytes(bytes + pos)) {
                // Eight lead bytes from a character start are four pairs.
                if constexpr (Out::kCounting) {
                    out.add(4);
                } else {
                    out.put(tables.pairUnit(bytes[pos], bytes[pos + 1]),
                            tables.pairUnit(bytes[pos + 2], bytes[pos + 3]),
                            tables.pairUnit(bytes[pos + 4], bytes[pos + 5]),
                            tables.pairUnit(bytes[pos + 6], bytes[pos + 7]));
                }
                pos += kPairBlock;
                continue;
            }
            // Whatever the pair stands for, it is one unit.
            if constexpr (Out::kCounting) {
                out.add(1);
            } else {
                out.put(tables.pairUnit(byte, bytes[pos + 1]));
            }
            pos += 2;
        } else {
            out.put(tables.singleUnit(byte));
            ++pos;
        }
    }
}

// ---- Encoding from UTF-16 ------------------------------------------------

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

template <typename Out>
void encodeUtf8(std::u16string_view in, Out& out) {
    const auto continuation = [](char32_t bits) { return static_cast<char>(0x80 | (bits & 0x3F)); };
    const char16_t* units = in.data();
    const std::size_t size = in.size();
    std::size_t i = 0;
    while (i < size) {
        char32_t code = units[i];
        if (code < 0x80) {
            const std::size_t run = asciiRun(units + i, size - i);
            out.putAscii(units + i, run);
            i += run;
            continue;
        }
        if (code >= 0x800 && (code < 0xD800 || code > 0xDFFF)) {
            // The common case of Chinese text: three bytes, no surrogate.
            out.put(static_cast<char>(0xE0 | (code >> 12)), continuation(code >> 6),
                    continuation(code));
            ++i;
            continue;
        }
        if (isHighSurrogate(units[i]) && i + 1 < size && isLowSurrogate(units[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(units[i]) || isLowSurrogate(units[i])) {
            code = kReplacementCharacter;
        }
        ++i;
        if (code < 0x800) {
            out.put(static_cast<char>(0xC0 | (code >> 6)), continuation(code));
        } else if (code < 0x10000) {
            out.put(static_cast<char>(0xE0 | (code >> 12)), continuation(code >> 6),
                    continuation(code));
        } else {
            out.put(static_cast<char>(0xF0 | (code >> 18)), continuation(code >> 12),
                    continuation(code >> 6), continuation(code));
        }
    }
}

template <typename Out>
void encodeGbk(const GbkTables& tables, std::u16string_view in, Out& out) {
    const char16_t* units = in.data();
    const std::size_t size = in.size();
    std::size_t i = 0;
    while (i < size) {
        const char16_t unit = units[i];
        if (unit < 0x80) {
            const std::size_t run = asciiRun(units + i, size - i);
            out.putAscii(units + i, run);
            i += run;
            continue;
        }
        if (isHighSurrogate(unit) && i + 1 < size && isLowSurrogate(units[i + 1])) {
            // A character outside the BMP: one "?" per unit.
            out.put('?', '?');
            i += 2;
            continue;
        }
        ++i;
        if constexpr (Out::kCounting) {
            out.add(tables.encodedLength(unit));
        } else {
            const std::uint16_t bytes = tables.unitBytes(unit);
            if (bytes == 0) {
                out.put('?');
            } else if (bytes <= 0xFF) {
                out.put(static_cast<char>(bytes));
            } else {
                out.put(static_cast<char>(bytes >> 8), static_cast<char>(bytes & 0xFF));
            }
        }
    }
}

// The units before the terminator (four tests to a turn of the loop; no
// unit past the terminator is read).
std::u16string_view untilTerminator(const char16_t* wide) {
    std::size_t length = 0;
    for (;; length += 4) {
        if (wide[length] == 0) return {wide, length};
        if (wide[length + 1] == 0) return {wide, length + 1};
        if (wide[length + 2] == 0) return {wide, length + 2};
        if (wide[length + 3] == 0) return {wide, length + 3};
    }
}

bool isGbk(unsigned codePage) {
    return codePage == kAnsiCodePage || codePage == kGbkCodePage;
}

// Runs the conversion for the code page into out; false for a code page
// this seam does not know.
template <typename Out>
bool decode(unsigned codePage, Bytes in, Out& out) {
    if (codePage == kUtf8CodePage) {
        decodeUtf8(in, out);
        return true;
    }
    if (!isGbk(codePage) || !gbkTables().ready()) return false;
    decodeGbk(gbkTables(), in, out);
    return true;
}

template <typename Out>
bool encode(unsigned codePage, std::u16string_view in, Out& out) {
    if (codePage == kUtf8CodePage) {
        encodeUtf8(in, out);
        return true;
    }
    if (!isGbk(codePage) || !gbkTables().ready()) return false;
    encodeGbk(gbkTables(), in, out);
    return true;
}

}  // namespace

int multiByteToWide(unsigned codePage, const char* text, char16_t* out, int capacity) {
    if (text == nullptr || capacity < 0) return 0;
    const Bytes in{reinterpret_cast<const unsigned char*>(text), std::strlen(text)};
    if (capacity == 0) {
        Counter<char16_t> count;
        return decode(codePage, in, count) ? count.finish() : 0;
    }
    if (out == nullptr) return 0;
    Writer<char16_t> units(out, capacity);
    return decode(codePage, in, units) ? units.finish() : 0;
}

int wideToMultiByte(unsigned codePage, const char16_t* wide, char* out, int capacity) {
    if (wide == nullptr || capacity < 0) return 0;
    const std::u16string_view in = untilTerminator(wide);
    if (capacity == 0) {
        Counter<char> count;
        return encode(codePage, in, count) ? count.finish() : 0;
    }
    if (out == nullptr) return 0;
    Writer<char> bytes(out, capacity);
    return encode(codePage, in, bytes) ? bytes.finish() : 0;
}

}  // namespace qm::codepage
