#include "toolkit/encoding.h"

#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "toolkit/codepage.h"
#include "toolkit/event_pump.h"

namespace qm {

namespace {

// A WideText holds its units low byte first, as they lie in memory here.
static_assert(std::endian::native == std::endian::little);

// Where the units of a conversion are put together: kept from call to call
// up to a few megabytes, so converting a page does not first have to fault
// in fresh memory; a larger one is let go again afterwards. Nothing that runs
// while the units are in use processes events, so no call finds them busy.
class ScratchUnits {
  public:
    ScratchUnits() : units_(kept()) {}
    ~ScratchUnits() {
        if (units_.capacity() > kKeptUnits) std::vector<char16_t>().swap(units_);
    }
    ScratchUnits(const ScratchUnits&) = delete;
    ScratchUnits& operator=(const ScratchUnits&) = delete;

    std::vector<char16_t>& units() { return units_; }

  private:
    static constexpr std::size_t kKeptUnits = std::size_t{4} << 20;
    static std::vector<char16_t>& kept() {
        thread_local std::vector<char16_t> units;
        return units;
    }
    std::vector<char16_t>& units_;
};

// The number of whole units of wide before its first zero unit (all of them
// when there is none), four units at a time.
std::size_t unitsBeforeTerminator(const WideText& wide) {
    const std::size_t whole = wide.size() / 2;
    const char* data = wide.data();
    std::size_t length = 0;
    for (; length + 4 <= whole; length += 4) {
        std::uint64_t four;
        std::memcpy(&four, data + 2 * length, sizeof four);
        // Nonzero when one of the four 16-bit lanes is zero.
        if (((four - 0x0001000100010001ULL) & ~four & 0x8000800080008000ULL) != 0) break;
    }
    while (length < whole && (data[2 * length] != 0 || data[2 * length + 1] != 0)) ++length;
    return length;
}

// The units of a WideText up to and including its first zero unit; a text
// without one gets one, so the conversions never read past what was written.
void unitsOf(const WideText& wide, std::vector<char16_t>& units) {
    const std::size_t length = unitsBeforeTerminator(wide);
    units.resize(length + 1);
    std::memcpy(units.data(), wide.data(), length * 2);
    units[length] = 0;
}

WideText bytesOf(const std::vector<char16_t>& units) {
    // The whole buffer, the zero units after the terminator included.
    return WideText(reinterpret_cast<const char*>(units.data()), units.size() * 2);
}

// The converted text: the buffer up to its first zero byte, kept in place.
Text upToTerminator(Text&& buffer) {
    buffer.resize(std::strlen(buffer.c_str()));
    return std::move(buffer);
}

// Converts into n zeroed units; false when the platform refuses (no room).
bool convertToUnits(unsigned codePage, const Text& text, int n, std::vector<char16_t>& units) {
    if (n <= 0) return false;
    units.assign(static_cast<std::size_t>(n), 0);
    return codepage::multiByteToWide(codePage, text.c_str(), units.data(), n) > 0;
}

// The steps of toWide for a text that is not empty, into units: the whole
// buffer; false when nothing could be converted.
bool toWideUnits(const Text& text, unsigned codePage, std::vector<char16_t>& units) {
    // The buffer is sized by the ANSI code page's count whatever codePage is.
    const int ansiCount = codepage::multiByteToWide(kAnsiCodePage, text.c_str(), nullptr, 0);
    if (convertToUnits(codePage, text, ansiCount, units)) return true;
    // That count is too small for text that is not valid in the ANSI code
    // page (a code page 936 page read as UTF-8); the code page's own count
    // always gives room.
    const int ownCount = codepage::multiByteToWide(codePage, text.c_str(), nullptr, 0);
    return convertToUnits(codePage, text, ownCount, units);
}

// The steps of fromWide for units that end in a zero unit.
Text fromWideUnits(const std::vector<char16_t>& units, unsigned codePage) {
    // Twice the ANSI byte count, in spaces, plus the string's own terminator.
    const int ansiCount = codepage::wideToMultiByte(kAnsiCodePage, units.data(), nullptr, 0);
    if (ansiCount > 0 && ansiCount <= INT_MAX / 2) {
        Text buffer(2 * static_cast<std::size_t>(ansiCount), ' ');
        if (codepage::wideToMultiByte(codePage, units.data(), buffer.data(), 2 * ansiCount) > 0) {
            return upToTerminator(std::move(buffer));
        }
    }
    // Characters that take more than twice their ANSI size in the target (the
    // euro sign: one byte in code page 936, three in UTF-8) need its own count.
    const int ownCount = codepage::wideToMultiByte(codePage, units.data(), nullptr, 0);
    if (ownCount <= 0) return {};
    Text buffer(static_cast<std::size_t>(ownCount), ' ');
    if (codepage::wideToMultiByte(codePage, units.data(), buffer.data(), ownCount) <= 0) return {};
    return upToTerminator(std::move(buffer));
}

// toWide with one code page, then fromWide with the other. The units go from
// the one to the other as they are, not through a WideText's bytes: the
// result is the same, for one copy of the page less.
Text convertThroughWide(const Text& text, unsigned from, unsigned to) {
    if (text.empty()) return {};  // toWide gives no units; nothing comes of them
    ScratchUnits scratch;
    if (!toWideUnits(text, from, scratch.units())) return {};
    return fromWideUnits(scratch.units(), to);
}

}  // namespace

WideText toWide(const Text& text, unsigned codePage) {
    if (text.empty()) return {};
    ScratchUnits scratch;
    if (!toWideUnits(text, codePage, scratch.units())) return {};
    return bytesOf(scratch.units());
}

Text fromWide(const WideText& wide, unsigned codePage) {
    ScratchUnits scratch;
    unitsOf(wide, scratch.units());
    return fromWideUnits(scratch.units(), codePage);
}

Text gbkToUtf8(const Text& text) {
    return convertThroughWide(text, kGbkCodePage, kUtf8CodePage);
}

Text utf8ToGbk(const Text& text) {
    return convertThroughWide(text, kUtf8CodePage, kGbkCodePage);
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
