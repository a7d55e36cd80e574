#include "toolkit/marker.h"

namespace qm {

namespace {

// Lets a caller write a marker that contains a double quote.
Text expandQuotes(const Text& marker) {
    return replaceAll(marker, "#引号", "\"", false);
}

}  // namespace

Text textBetween(const Text& text, const Text& front, const Text& back) {
    const Text frontMarker = expandQuotes(front);
    const Text backMarker = expandQuotes(back);

    const int p = findText(text, frontMarker, true);
    if (p == -1) return {};
    const Text rest = rightBytes(text, textLength(text) - p - textLength(frontMarker) + 1);

    const int q = findText(rest, backMarker, true);
    if (q == -1) return {};
    return leftBytes(rest, q - 1);
}

}  // namespace qm
