// The literal skeleton of a pattern made only of literal bytes, "." and lazy
// "(.*?)" groups, as every pattern of the two sources is.
//
// Such a pattern matches only where its literal pieces occur in order. On a
// page full of unclosed starts (a piece that no later piece follows), the
// regular-expression engine tries every start and runs each to the end of
// the page: quadratic time, minutes on a page of a few megabytes. Knowing
// where the last possible match begins lets the search stop as soon as no
// match is left. With the pieces in order from a start, the first
// occurrences of the pieces already form a match, so the engine never
// backtracks over a start where one exists.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class LiteralChain {
  public:
    // The chain of a pattern compiled with Perl syntax and ASCII-case-
    // insensitive matching; nothing for a pattern with any other construct.
    static std::optional<LiteralChain> of(std::string_view pattern);

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // The greatest offset at which a match can begin (its first piece stands
    // there, the others follow in order); npos when no match is possible.
    std::size_t lastPossibleStart(std::string_view text) const;

  private:
    // Bytes that must stand at consecutive positions; a "." takes any byte.
    struct Piece {
        std::string bytes;
        std::vector<bool> anyByte;
        // The longest run without "." (searched for first), in bytes.
        std::size_t anchorOffset = 0;
        std::size_t anchorLength = 0;
    };

    // The greatest position p with p + piece size <= limit at which the piece
    // stands; npos when there is none.
    static std::size_t lastEndingBy(std::string_view text, std::size_t limit, const Piece& piece);
    static bool standsAt(std::string_view text, std::size_t at, const Piece& piece);
    static void chooseAnchor(Piece& piece);

    std::vector<Piece> pieces_;
};

}  // namespace qm
