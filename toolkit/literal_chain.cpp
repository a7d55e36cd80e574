#include "toolkit/literal_chain.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace qm {

namespace {

constexpr std::string_view kLazyGroup = "(.*?)";

// The bytes with a meaning of their own in Perl syntax.
bool isSpecial(char c) {
    return std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos;
}

bool isQuantifier(char c) {
    return c == '*' || c == '+' || c == '?' || c == '{';
}

// The engine's case-insensitive matching folds ASCII letters only: its
// traits use the classic locale, in which no other byte has a case.
char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct FoldedHash {
    std::size_t operator()(char c) const { return static_cast<unsigned char>(folded(c)); }
};

struct FoldedEqual {
    bool operator()(char a, char b) const { return folded(a) == folded(b); }
};

}  // namespace

std::optional<LiteralChain> LiteralChain::of(std::string_view pattern) {
    LiteralChain chain;
    Piece current;
    auto endPiece = [&] {
        // An empty piece stands anywhere: it constrains nothing.
        if (!current.bytes.empty()) {
            chooseAnchor(current);
            chain.pieces_.push_back(std::move(current));
        }
        current = Piece();
    };
    for (std::size_t i = 0; i < pattern.size();) {
        std::size_t atomLength = 1;
        if (pattern.substr(i, kLazyGroup.size()) == kLazyGroup) {
            atomLength = kLazyGroup.size();
        } else if (isSpecial(pattern[i]) && pattern[i] != '.') {
            return std::nullopt;
        }
        // A quantifier after an atom makes it something else.
        if (i + atomLength < pattern.size() && isQuantifier(pattern[i + atomLength])) {
            return std::nullopt;
        }
        if (atomLength == kLazyGroup.size()) {
            endPiece();
        } else {
            current.bytes += pattern[i];
            current.anyByte.push_back(pattern[i] == '.');
        }
        i += atomLength;
    }
    endPiece();
    return chain;
}

void LiteralChain::chooseAnchor(Piece& piece) {
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= piece.bytes.size(); ++i) {
        if (i < piece.bytes.size() && !piece.anyByte[i]) continue;
        if (i - runStart > piece.anchorLength) {
            piece.anchorOffset = runStart;
            piece.anchorLength = i - runStart;
        }
        runStart = i + 1;
    }
}

bool LiteralChain::standsAt(std::string_view text, std::size_t at, const Piece& piece) {
    for (std::size_t i = 0; i < piece.bytes.size(); ++i) {
        if (!piece.anyByte[i] && folded(text[at + i]) != folded(piece.bytes[i])) return false;
    }
    return true;
}

std::size_t LiteralChain::lastEndingBy(std::string_view text, std::size_t limit,
                                       const Piece& piece) {
    const std::size_t size = piece.bytes.size();
    if (size > limit) return npos;
    if (piece.anchorLength == 0) return limit - size;  // all "."
    // The anchor of a piece at p lies at p + anchorOffset, for 0 <= p <= limit - size.
    const std::string reversedAnchor(
        std::make_reverse_iterator(
            piece.bytes.begin() +
            static_cast<std::ptrdiff_t>(piece.anchorOffset + piece.anchorLength)),
        std::make_reverse_iterator(piece.bytes.begin() +
                                   static_cast<std::ptrdiff_t>(piece.anchorOffset)));
    const std::boyer_moore_horspool_searcher searcher(reversedAnchor.begin(), reversedAnchor.end(),
                                                      FoldedHash(), FoldedEqual());
    const char* const begin = text.data();
    const char* const regionBegin = begin + piece.anchorOffset;
    const char* regionEnd = begin + (limit - size) + piece.anchorOffset + piece.anchorLength;
    while (regionEnd - regionBegin >= static_cast<std::ptrdiff_t>(piece.anchorLength)) {
        const auto from = std::make_reverse_iterator(regionEnd);
        const auto to = std::make_reverse_iterator(regionBegin);
        const auto found = std::search(from, to, searcher);
        if (found == to) return npos;
        // The reversed match starts at the anchor's last byte.
        const char* anchor = found.base() - piece.anchorLength;
        const auto at = static_cast<std::size_t>(anchor - begin) - piece.anchorOffset;
        if (standsAt(text, at, piece)) return at;
        regionEnd = anchor + piece.anchorLength - 1;
    }
    return npos;
}

std::size_t LiteralChain::lastPossibleStart(std::string_view text) const {
    // Backwards: each piece as late as it can stand before the next one.
    std::size_t limit = text.size();
    for (auto piece = pieces_.rbegin(); piece != pieces_.rend(); ++piece) {
        limit = lastEndingBy(text, limit, *piece);
        if (limit == npos) return npos;
    }
    return limit;
}

}  // namespace qm
