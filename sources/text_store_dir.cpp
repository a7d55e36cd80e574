// Where the text server of source ONE files a novel's chapters. It groups
// novels by thousands of their number: head "/" tail "/", where head is the
// thousands plus one and tail the rest, written without leading zeros
// (1234 -> 2/234/). Keys of up to three characters sit under "1/" as written.
#include <cmath>

#include "sources/source_one.h"
#include "toolkit/text.h"

namespace qm {

namespace {

// head = floor(k / 1000) + 1, tail = k mod 1000, for a whole k. Keys that do
// not read as a number name novel 0, as on the short-key path. A negative or
// non-finite number, or one too large for whole-number arithmetic, names no
// directory at all: the empty text, so no other novel's directory is kept.
Text directoryByArithmetic(double k) {
    constexpr double kLargestExact = 9007199254740992.0;  // 2^53
    if (!std::isfinite(k) || k < 0 || k >= kLargestExact) return Text();
    const double whole = std::floor(k);
    const double head = std::floor(whole / 1000) + 1;
    const double tail = whole - std::floor(whole / 1000) * 1000;
    return numberToText(head) + "/" + numberToText(tail) + "/";
}

// The zero strips for keys of four to six characters: applied to d =
// head "/" tail, they take the leading zeros off the tail.
Text stripTailZeros(const Text& d, int n) {
    const Text firstMarker = n == 4 ? "/0" : n == 5 ? "/00" : "/000";
    Text t = findText(d, firstMarker, false) != -1 ? replaceAll(d, firstMarker, "/", false) + "/"
                                                   : d + "/";
    if (n == 6 && findText(t, "/00", false) != -1) return replaceAll(t, "/00", "/", false);
    if (findText(t, "/0", false) != -1) return replaceAll(t, "/0", "/", false);
    return t;
}

}  // namespace

Text textStoreDirFor(const Text& bookKey) {
    const int n = textLength(bookKey);
    if (n <= 3) return "1/" + bookKey + "/";
    const double k = textToNumber(bookKey);
    if (n >= 7) return directoryByArithmetic(k);

    const Text s = numberToText(k + 1000);
    // A sum with one more digit than the key (9999 -> 10999), or a tail 000
    // that the strips below would leave empty (10000 -> "11//"): the cut by
    // position fails there, the arithmetic does not.
    if (textLength(s) > n || (n >= 5 && rightBytes(s, 3) == "000")) {
        return directoryByArithmetic(k);
    }
    const Text d = leftBytes(s, n - 3) + "/" + rightBytes(s, 3);
    return stripTailZeros(d, n);
}

}  // namespace qm
