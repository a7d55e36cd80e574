// searchAll over arbitrary pages, with each pattern of the two sources or
// with a pattern the fuzzer makes up: the matches stand in order without
// overlapping, every record lies inside the page, and the search finds
// exactly what the engine alone finds (where the engine alone is quick
// enough to ask), the literal-chain shortcut included.
#include <fuzzer/FuzzedDataProvider.h>

#include <boost/regex.hpp>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "toolkit/pattern.h"

namespace {

using qm::Text;

const Text kSiteBaseTwo = "http://127.0.0.1:18080/two/";

// The sources' patterns, as they compile them.
const Text kSourcePatterns[] = {
    "《<a name= '(.*?)' href= '/(.*?)/' class='bookLink' target='_blank'>(.*?)</a>》",
    "<a name='(.*?)' id='(.*?)'class='bookLink' title='(.*?)' href",
    "<b><a href=\"" + kSiteBaseTwo + "files/article/(.*?)index.html\" alt=\"(.*?)\" title=",
    "    <td class=\"odd\"><a href=\"" + kSiteBaseTwo +
        "info_(.*?).html\">(.*?)</a></td>\r\n    <td class=\"even\"><a href=\"" + kSiteBaseTwo +
        "files/article/(.*?)index.html\" target=\"_blank\">(.*?)</a></td>",
    "<td><div class=\"dccss\"><a href=\"(.*?)\" alt=\"(.*?)\">(.*?)</a></div></td>",
};

// Whole matches as offset and length, by the engine alone, with the same
// steps as searchAll; nothing when the engine gives up.
std::optional<std::vector<std::pair<long long, long long>>> engineAlone(const Text& pattern,
                                                                        const Text& text) {
    std::vector<std::pair<long long, long long>> found;
    try {
        const boost::regex re(pattern, boost::regex::perl | boost::regex::icase);
        const char* const begin = text.data();
        const char* const end = begin + text.size();
        const char* start = begin;
        boost::cmatch m;
        while (!text.empty() && boost::regex_search(start, end, m, re, boost::match_default)) {
            found.emplace_back(m[0].first - begin, m[0].second - m[0].first);
            if (m[0].second == begin) break;
            if (m[0].first != m[0].second) {
                start = m[0].second;
            } else {
                if (m[0].second == end) break;
                start = m[0].second + 1;
            }
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return found;
}

void checkWellFormed(const qm::MatchList& matches, const Text& text) {
    long long previousEnd = 0;
    for (const qm::PatternMatch& match : matches) {
        QM_FUZZ_CHECK(!match.records.empty() && match.records[0].matched);
        QM_FUZZ_CHECK(match.records[0].offset >= previousEnd);
        previousEnd = match.records[0].offset + match.records[0].length;
        for (std::size_t n = 0; n < match.records.size(); ++n) {
            const qm::SubMatch& record = match.records[n];
            const Text sub = qm::subMatchText(match, text, static_cast<int>(n));
            if (!record.matched) {
                QM_FUZZ_CHECK(sub.empty());
                continue;
            }
            QM_FUZZ_CHECK(record.offset >= 0 && record.length >= 0);
            QM_FUZZ_CHECK(static_cast<std::size_t>(record.offset + record.length) <= text.size());
            QM_FUZZ_CHECK(sub == text.substr(static_cast<std::size_t>(record.offset),
                                             static_cast<std::size_t>(record.length)));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool created = (qm::createSharedPattern(), true);
    (void)created;
    FuzzedDataProvider input(data, size);
    const auto choice = input.ConsumeIntegralInRange<std::size_t>(0, std::size(kSourcePatterns));
    const Text pattern = choice < std::size(kSourcePatterns) ? kSourcePatterns[choice]
                                                             : input.ConsumeRandomLengthString(48);
    const Text page = input.ConsumeRemainingBytesAsString();
    if (!qm::compilePattern(pattern)) return 0;

    const qm::MatchList matches = qm::searchAll(page);
    checkWellFormed(matches, page);
    // The engine alone takes quadratic time over unclosed starts: only short pages.
    if (page.size() <= 1024) {
        const auto alone = engineAlone(pattern, page);
        if (alone) {
            QM_FUZZ_CHECK(alone->size() == matches.size());
            for (std::size_t i = 0; i < matches.size(); ++i) {
                QM_FUZZ_CHECK((*alone)[i].first == matches[i].records[0].offset);
                QM_FUZZ_CHECK((*alone)[i].second == matches[i].records[0].length);
            }
        }
    }
    return 0;
}
