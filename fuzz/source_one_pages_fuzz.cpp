// Source ONE over arbitrary pages (read as UTF-8, as its site sends them):
// a search, a chapter list or a chapter text, with other operations of both
// sources run nested in its event processing. The tables stay well formed.
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
    const qm::SiteConfig config{"http://one/", "http://one-text/novel/", "http://two/"};
    qm::SourceOne one(config, state);
    qm::SourceTwo two(config, state);
    state.setSearchText(keyword);
    qm::fuzzing::selectOnly(state.novelTable(), {"1", "n", "1234", "bukanshu"});
    qm::fuzzing::selectOnly(state.chapterTable(), {"1", "c", "7"});

    const std::function<void()> operations[] = {
        [&] { one.searchSourceOne(); },
        [&] { one.listChaptersOne(); },
        [&] { one.showChapterOne(); },
    };
    qm::fuzzing::runWithNestedEvents(
        operations[operation],
        {[&] { state.setSearchText("changed"); }, [&] { two.searchSourceTwo(); },
         [&] { one.listChaptersOne(); }, [&] { state.novelTable().clear(); }},
        schedule);
    qm::fuzzing::checkTable(state.novelTable());
    qm::fuzzing::checkTable(state.chapterTable());
    QM_FUZZ_CHECK(qm::fuzzing::isTerminatedText(state.readingText()));
    return 0;
}
