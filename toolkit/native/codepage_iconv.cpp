// The natively built code-page conversion: iconv, made to answer as Windows
// does with flags 0. Code page 0 (the ANSI code page) is 936 here.
//
// Where iconv gives up, Windows substitutes, and so do we:
// - UTF-8 input: each maximal ill-formed subsequence becomes U+FFFD.
// - Code page 936 input: a lead byte (81..FE) always takes the next byte with
//   it; a pair or a single byte without a character becomes "?" (U+003F),
//   and FF becomes U+F8F5, as in Windows' table. 80 is the euro sign.
// - Output to code page 936: each UTF-16 unit without a character there
//   becomes "?" (a character outside the BMP gives two). Output to UTF-8: a
//   lone surrogate becomes U+FFFD.
// Counting (capacity 0) runs the very conversion that writing runs, so the
// two always agree; nothing is written unless the whole result fits.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "toolkit/codepage.h"

namespace qm::codepage {

namespace {

// char16_t arrays are handed to iconv as UTF-16LE bytes as they lie in memory.
static_assert(std::endian::native == std::endian::little);

const char* iconvNameOf(unsigned codePage) {
    switch (codePage) {
        case 0:
        case 936:
            return "CP936";
        case 65001:
            return "UTF-8";
        default:
            return nullptr;
    }
}

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts from in[pos] on, appending to out, until the end of the input
    // or the first sequence iconv refuses; pos is left at that sequence.
    // Returns false when it stopped early.
    bool run(std::string_view in, std::size_t& pos, std::string& out) {
        char buffer[4096];
        while (pos < in.size()) {
            char* source = const_cast<char*>(in.data() + pos);  // iconv does not write it
            std::size_t sourceLeft = in.size() - pos;
            char* target = buffer;
            std::size_t targetLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &source, &sourceLeft, &target, &targetLeft);
            pos = in.size() - sourceLeft;
            out.append(buffer, sizeof buffer - targetLeft);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

  private:
    iconv_t cd_;
};

void appendUnit(std::string& utf16, char16_t unit) {
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>(unit >> 8));
}

bool isContinuation(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

// Length of the maximal ill-formed UTF-8 subsequence at in[pos] (at least 1):
// a lead byte with those continuation bytes that could still have led to a
// well-formed character.
std::size_t invalidUtf8Length(std::string_view in, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(in[pos]);
    std::size_t needed = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed = 2;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed = 3;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    std::size_t length = 1;
    for (std::size_t i = 0; i < needed && pos + length < in.size(); ++i) {
        const auto byte = static_cast<unsigned char>(in[pos + length]);
        const bool fits = i == 0 ? (byte >= low && byte <= high) : isContinuation(byte);
        if (!fits) break;
        ++length;
    }
    return length;
}

// What Windows puts in place of the code page 936 sequence at in[pos];
// returns the number of bytes it replaces.
std::size_t replaceGbkSequence(std::string_view in, std::size_t pos, std::string& utf16) {
    const auto byte = static_cast<unsigned char>(in[pos]);
    if (byte == 0xFF) {
        appendUnit(utf16, u'\uF8F5');
        return 1;
    }
    appendUnit(utf16, u'?');
    const bool lead = byte >= 0x81 && byte <= 0xFE;
    return lead && pos + 1 < in.size() ? 2 : 1;
}

// in as UTF-16LE bytes; false for a code page this seam does not know.
bool decode(unsigned codePage, std::string_view in, std::string& utf16) {
    const char* name = iconvNameOf(codePage);
    if (name == nullptr) return false;
    Converter converter("UTF-16LE", name);
    if (!converter.ok()) return false;
    const bool utf8 = codePage == 65001;
    std::size_t pos = 0;
    while (!converter.run(in, pos, utf16)) {
        if (utf8) {
            appendUnit(utf16, u'\uFFFD');
            pos += invalidUtf8Length(in, pos);
        } else {
            pos += replaceGbkSequence(in, pos, utf16);
        }
    }
    return true;
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

char16_t unitAt(std::string_view utf16, std::size_t pos) {
    return static_cast<char16_t>(static_cast<unsigned char>(utf16[pos]) |
                                 (static_cast<unsigned char>(utf16[pos + 1]) << 8));
}

// utf16 (UTF-16LE bytes) in the code page; false for an unknown code page.
bool encode(unsigned codePage, std::string_view utf16, std::string& out) {
    const char* name = iconvNameOf(codePage);
    if (name == nullptr) return false;
    Converter converter(name, "UTF-16LE");
    if (!converter.ok()) return false;
    const bool utf8 = codePage == 65001;
    std::size_t pos = 0;
    while (!converter.run(utf16, pos, out)) {
        if (utf8) {
            // Only a lone surrogate stops UTF-8 output.
            out += "\xEF\xBF\xBD";
            pos += 2;
            continue;
        }
        const bool pair = pos + 4 <= utf16.size() && isHighSurrogate(unitAt(utf16, pos)) &&
                          isLowSurrogate(unitAt(utf16, pos + 2));
        out += pair ? "??" : "?";
        pos += pair ? 4 : 2;
    }
    return true;
}

// Hands the converted units or bytes over by the seam's contract.
template <typename Unit>
int deliver(const std::string& bytes, Unit* out, int capacity) {
    const std::size_t count = bytes.size() / sizeof(Unit) + 1;  // with the terminator
    if (count > static_cast<std::size_t>(INT_MAX)) return 0;
    if (capacity == 0) return static_cast<int>(count);
    if (out == nullptr || capacity < 0 || count > static_cast<std::size_t>(capacity)) return 0;
    std::memcpy(out, bytes.data(), bytes.size());
    out[count - 1] = 0;
    return static_cast<int>(count);
}

}  // namespace

int multiByteToWide(unsigned codePage, const char* text, char16_t* out, int capacity) {
    if (text == nullptr) return 0;
    std::string utf16;
    if (!decode(codePage, text, utf16)) return 0;
    return deliver(utf16, out, capacity);
}

int wideToMultiByte(unsigned codePage, const char16_t* wide, char* out, int capacity) {
    if (wide == nullptr) return 0;
    std::size_t units = 0;
    while (wide[units] != 0) ++units;
    std::string bytes;
    const std::string_view utf16(reinterpret_cast<const char*>(wide), units * 2);
    if (!encode(codePage, utf16, bytes)) return 0;
    return deliver(bytes, out, capacity);
}

}  // namespace qm::codepage
