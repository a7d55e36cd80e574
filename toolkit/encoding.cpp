#include "toolkit/encoding.h"

#include <climits>
#include <cstddef>
#include <vector>

#include "toolkit/codepage.h"
#include "toolkit/event_pump.h"

namespace qm {

namespace {

// The units of a WideText up to and including its first zero unit; a text
// without one gets one, so the conversions never read past what was written.
std::vector<char16_t> unitsOf(const WideText& wide) {
    std::vector<char16_t> units;
    units.reserve(wide.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < wide.size(); i += 2) {
        const auto low = static_cast<unsigned char>(wide[i]);
        const auto high = static_cast<unsigned char>(wide[i + 1]);
        const auto unit = static_cast<char16_t>(low | (high << 8));
        units.push_back(unit);
        if (unit == 0) return units;
    }
    units.push_back(0);
    return units;
}

WideText bytesOf(const std::vector<char16_t>& units) {
    WideText wide;
    wide.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        wide.push_back(static_cast<char>(unit & 0xFF));
        wide.push_back(static_cast<char>(unit >> 8));
    }
    return wide;
}

// Converts into n zeroed units; false when the platform refuses (no room).
bool convertToUnits(unsigned codePage, const Text& text, int n, std::vector<char16_t>& units) {
    if (n <= 0) return false;
    units.assign(static_cast<std::size_t>(n), 0);
    return codepage::multiByteToWide(codePage, text.c_str(), units.data(), n) > 0;
}

}  // namespace

WideText toWide(const Text& text, unsigned codePage) {
    if (text.empty()) return {};
    // The buffer is sized by the ANSI code page's count whatever codePage is.
    const int ansiCount = codepage::multiByteToWide(kAnsiCodePage, text.c_str(), nullptr, 0);
    std::vector<char16_t> units;
    if (convertToUnits(codePage, text, ansiCount, units)) return bytesOf(units);
    // That count is too small for text that is not valid in the ANSI code
    // page (a code page 936 page read as UTF-8); the code page's own count
    // always gives room.
    const int ownCount = codepage::multiByteToWide(codePage, text.c_str(), nullptr, 0);
    if (convertToUnits(codePage, text, ownCount, units)) return bytesOf(units);
    return {};
}

Text fromWide(const WideText& wide, unsigned codePage) {
    const std::vector<char16_t> units = unitsOf(wide);
    // Twice the ANSI byte count, in spaces, plus the string's own terminator.
    const int ansiCount = codepage::wideToMultiByte(kAnsiCodePage, units.data(), nullptr, 0);
    if (ansiCount > 0 && ansiCount <= INT_MAX / 2) {
        Text buffer(2 * static_cast<std::size_t>(ansiCount), ' ');
        if (codepage::wideToMultiByte(codePage, units.data(), buffer.data(), 2 * ansiCount) > 0) {
            return Text(buffer.c_str());
        }
    }
    // Characters that take more than twice their ANSI size in the target (the
    // euro sign: one byte in code page 936, three in UTF-8) need its own count.
    const int ownCount = codepage::wideToMultiByte(codePage, units.data(), nullptr, 0);
    if (ownCount <= 0) return {};
    Text buffer(static_cast<std::size_t>(ownCount), ' ');
    if (codepage::wideToMultiByte(codePage, units.data(), buffer.data(), ownCount) <= 0) return {};
    return Text(buffer.c_str());
}

Text gbkToUtf8(const Text& text) {
    return fromWide(toWide(text, kGbkCodePage), kUtf8CodePage);
}

Text utf8ToGbk(const Text& text) {
    return fromWide(toWide(text, kUtf8CodePage), kGbkCodePage);
}

Text percentEncode(const Text& text, bool toUtf8First) {
    // Our own copy: the events processed below may change what text refers to.
    const Text bytes = toUtf8First ? gbkToUtf8(text) : text;
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    Text encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        encoded += '%';
        encoded += kHexDigits[byte >> 4];
        encoded += kHexDigits[byte & 0x0F];
        processPendingEvents();
    }
    return encoded;
}

}  // namespace qm
