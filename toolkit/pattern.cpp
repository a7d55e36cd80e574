#include "toolkit/pattern.h"

#include <boost/regex.hpp>
#include <cstddef>
#include <exception>
#include <memory>
#include <optional>

#include "toolkit/literal_chain.h"

namespace qm {

namespace {

struct SharedPattern {
    std::optional<boost::regex> compiled;
    // Its literal skeleton, where it has one: the search stops once no
    // match is left, which the engine alone finds out only in quadratic time.
    std::optional<LiteralChain> chain;
};

std::unique_ptr<SharedPattern>& sharedPattern() {
    static std::unique_ptr<SharedPattern> pattern;
    return pattern;
}

PatternMatch recordMatch(const boost::cmatch& m, const char* textBegin) {
    PatternMatch match;
    match.records.reserve(m.size());
    for (std::size_t i = 0; i < m.size(); ++i) {
        SubMatch record;
        record.matched = m[i].matched;
        if (record.matched) {
            record.offset = m[i].first - textBegin;
            record.length = m[i].second - m[i].first;
        }
        match.records.push_back(record);
    }
    return match;
}

}  // namespace

void createSharedPattern() {
    sharedPattern() = std::make_unique<SharedPattern>();
}

void destroySharedPattern() {
    sharedPattern().reset();
}

bool compilePattern(const Text& pattern) {
    SharedPattern* shared = sharedPattern().get();
    if (shared == nullptr) return false;
    try {
        boost::regex compiled(pattern.data(), pattern.data() + pattern.size(),
                              boost::regex::perl | boost::regex::icase);
        shared->chain = LiteralChain::of(pattern);
        shared->compiled = std::move(compiled);
        return true;
    } catch (const std::exception&) {
        // Malformed (boost::regex_error) or out of memory: the old pattern stays.
        return false;
    }
}

MatchList searchAll(const Text& text) {
    const SharedPattern* shared = sharedPattern().get();
    if (shared == nullptr || !shared->compiled || text.empty()) return {};
    // boost::regex shares its compiled form, so this copy is cheap and keeps
    // the search independent of anything that recompiles the shared pattern.
    const boost::regex pattern = *shared->compiled;
    const std::size_t lastStart =
        shared->chain ? shared->chain->lastPossibleStart(text) : text.size();

    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* start = begin;
    MatchList matches;
    boost::cmatch m;
    for (;;) {
        if (lastStart == LiteralChain::npos ||
            static_cast<std::size_t>(start - begin) > lastStart) {
            break;  // no match can begin here or later
        }
        try {
            // Each search sees start as the beginning of its text.
            if (!boost::regex_search(start, end, m, pattern, boost::match_default)) break;
        } catch (const std::exception&) {
            // The engine gave up (complexity, stack or memory limits).
            break;
        }
        matches.push_back(recordMatch(m, begin));
        // A match that ends at the very beginning of the text ends the search.
        if (m[0].second == begin) break;
        if (m[0].first != m[0].second) {
            start = m[0].second;
        } else {
            // An empty match would be found again at the same place: step
            // one byte past it, and stop once the text is used up.
            if (m[0].second == end) break;
            start = m[0].second + 1;
        }
    }
    return matches;
}

Text subMatchText(const PatternMatch& match, const Text& text, int n) {
    if (n < 0 || static_cast<std::size_t>(n) >= match.records.size()) return {};
    const SubMatch& record = match.records[static_cast<std::size_t>(n)];
    if (!record.matched || record.length < 1 || record.offset < 0) return {};
    // A text other than the searched one yields only the bytes it has.
    const auto offset = static_cast<unsigned long long>(record.offset);
    if (offset >= text.size()) return {};
    return text.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(record.length));
}

}  // namespace qm
