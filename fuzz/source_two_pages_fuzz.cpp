// Source TWO over arbitrary pages (code page 936, used as fetched): a search
// in either layout, a chapter list or a chapter page, with other operations
// of both sources run nested in its event processing. The tables stay well
// formed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <functional>

#include "source_pages.h"
#include "sources/source_one.h"
#include "sources/source_two.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto operation = input.ConsumeIntegralInRange(0, 2);
    const auto schedule = input.ConsumeIntegral<unsigned>();
    const qm::Text keyword = input.ConsumeRandomLengthString(8);
    qm::fuzzing::servePage(input.ConsumeRemainingBytesAsString());

    qm::MemoryReaderState state;
    // The base as the patterns hold it, unescaped: its dots match any byte.
    const qm::SiteConfig config{"http://one/", "http://one-text/novel/", "http://t.o/"};
    qm::SourceOne one(config, state);
    qm::SourceTwo two(config, state);
    state.setSearchText(keyword);
    qm::fuzzing::selectOnly(state.novelTable(), {"1", "n", "12/", "ranwen"});
    qm::fuzzing::selectOnly(state.chapterTable(), {"1", "c", "7.html"});

    const std::function<void()> operations[] = {
        [&] { two.searchSourceTwo(); },
        [&] { two.listChaptersTwo(); },
        [&] { two.showChapterTwo(); },
    };
    qm::fuzzing::runWithNestedEvents(
        operations[operation],
        {[&] { state.chapterTable().clear(); }, [&] { one.searchSourceOne(); },
         [&] { two.listChaptersTwo(); }, [&] { state.setSearchText(""); }},
        schedule);
    qm::fuzzing::checkTable(state.novelTable());
    qm::fuzzing::checkTable(state.chapterTable());
    QM_FUZZ_CHECK(qm::fuzzing::isTerminatedText(state.readingText()));
    return 0;
}
