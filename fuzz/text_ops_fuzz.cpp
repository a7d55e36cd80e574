// The text operations on arbitrary bytes: findText finds a real occurrence at
// a character start and none before it (letters folded only where they are
// characters of their own), replaceAll leaves a text without the
// needle alone, leftBytes/rightBytes cut exactly, and numbers go to text and
// back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>

#include "fuzz_check.h"
#include "toolkit/text.h"

namespace {

using qm::Text;

char folded(char c, bool ignoreCase) {
    return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLead(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Letters fold only as characters of their own: both bytes of a double-byte
// character compare exactly, even a second byte that reads as a letter.
bool matchesAt(const Text& text, std::size_t at, const Text& needle, bool ignoreCase) {
    if (at + needle.size() > text.size()) return false;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (isLead(needle[i])) {
            if (text[at + i] != needle[i]) return false;
            if (i + 1 < needle.size() && text[at + i + 1] != needle[i + 1]) return false;
            ++i;
        } else if (folded(text[at + i], ignoreCase) != folded(needle[i], ignoreCase)) {
            return false;
        }
    }
    return true;
}

// Candidates are character starts: a byte of 128 or more takes the next with it.
std::size_t nextCandidate(const Text& text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) >= 0x80 ? at + 2 : at + 1;
}

void checkFindText(const Text& text, const Text& needle, bool ignoreCase) {
    const int found = qm::findText(text, needle, ignoreCase);
    if (needle.empty()) {
        QM_FUZZ_CHECK(found == (text.empty() ? -1 : 1));
        return;
    }
    std::size_t at = 0;
    for (; at < text.size() && at + needle.size() <= text.size(); at = nextCandidate(text, at)) {
        if (matchesAt(text, at, needle, ignoreCase)) break;
    }
    const bool exists = at < text.size() && at + needle.size() <= text.size();
    QM_FUZZ_CHECK(found == (exists ? static_cast<int>(at) + 1 : -1));
}

void checkCuts(const Text& text, long long n) {
    const std::size_t expected =
        n <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(n), text.size());
    QM_FUZZ_CHECK(qm::leftBytes(text, n) == text.substr(0, expected));
    QM_FUZZ_CHECK(qm::rightBytes(text, n) == text.substr(text.size() - expected));
    QM_FUZZ_CHECK(qm::textLength(text) == static_cast<int>(text.size()));
}

void checkNumbers(const Text& text, double x) {
    const double read = qm::textToNumber(text);
    // Whole numbers below 10^13 are written without point or exponent and read back exactly.
    if (std::isfinite(read) && read == std::floor(read) && std::fabs(read) < 1e13) {
        QM_FUZZ_CHECK(qm::textToNumber(qm::numberToText(read)) == read);
    }
    const Text written = qm::numberToText(x);
    QM_FUZZ_CHECK(!written.empty() && qm::fuzzing::isTerminatedText(written));
    if (std::isfinite(x)) {
        // Thirteen significant digits.
        QM_FUZZ_CHECK(std::fabs(qm::textToNumber(written) - x) <= std::fabs(x) * 1e-12);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool ignoreCase = input.ConsumeBool();
    const auto n = input.ConsumeIntegralInRange<long long>(-4, 1 << 12);
    const double x = input.ConsumeFloatingPoint<double>();
    const Text needle = input.ConsumeRandomLengthString(16);
    const Text replacement = input.ConsumeRandomLengthString(16);
    const Text text = input.ConsumeRemainingBytesAsString();

    checkFindText(text, needle, ignoreCase);
    const Text replaced = qm::replaceAll(text, needle, replacement, ignoreCase);
    if (needle.empty() || qm::findText(text, needle, ignoreCase) == -1) {
        QM_FUZZ_CHECK(replaced == text);
    }
    // Each occurrence replaced by itself: every byte reaches the result unchanged.
    QM_FUZZ_CHECK(qm::replaceAll(text, needle, needle, false) == text);
    checkCuts(text, n);
    checkNumbers(text, x);
    return 0;
}
