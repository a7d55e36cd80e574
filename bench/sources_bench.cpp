// What the source operations do with a page once it has arrived: conversion,
// pattern and rows into the in-memory tables, or the cut and clean-up of a
// chapter into the reading pane. The fetch itself is measured in
// fetch_bench.cpp.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/inputs.h"
#include "platform/headless/memory_reader_state.h"
#include "sources/site_config.h"
#include "sources/source_one.h"
#include "sources/source_two.h"
#include "toolkit/pattern.h"

namespace qm::bench {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// Runs with the shared pattern in place, as the program does.
class SharedPatternScope {
  public:
    SharedPatternScope() { createSharedPattern(); }
    ~SharedPatternScope() { destroySharedPattern(); }
    SharedPatternScope(const SharedPatternScope&) = delete;
    SharedPatternScope& operator=(const SharedPatternScope&) = delete;
};

void searchSourceOneAfterFetch(benchmark::State& state) {
    const std::string page = searchPageOne(5000, kMiB * 3 / 2);
    const SharedPatternScope pattern;
    MemoryReaderState reader;
    SourceOne one(builtInSiteConfig(), reader);
    for (auto _ : state) {
        one.fillNovelTableFromSearchPage(page);
        benchmark::DoNotOptimize(reader.novels().rowCount());
    }
    if (reader.novels().rowCount() != 5000) state.SkipWithError("the page did not give 5000 rows");
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(page.size()));
    state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(searchSourceOneAfterFetch)->Unit(benchmark::kMillisecond);

void listChaptersTwoAfterFetch(benchmark::State& state) {
    const std::string page = chapterIndexTwo(10000, kMiB * 6 / 5);
    const SharedPatternScope pattern;
    MemoryReaderState reader;
    SourceTwo two(builtInSiteConfig(), reader);
    for (auto _ : state) {
        two.fillChapterTableFromIndexPage(page);
        benchmark::DoNotOptimize(reader.chapters().rowCount());
    }
    if (reader.chapters().rowCount() != 10000) {
        state.SkipWithError("the index did not give 10000 rows");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(page.size()));
    state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(listChaptersTwoAfterFetch)->Unit(benchmark::kMillisecond);

void showChapterOneAfterFetch(benchmark::State& state) {
    const std::string file = chapterFileOne(100 * 1000);
    MemoryReaderState reader;
    SourceOne one(builtInSiteConfig(), reader);
    for (auto _ : state) {
        one.showChapterFile(file);
        benchmark::DoNotOptimize(reader.readingText().size());
    }
    if (reader.readingText().size() < 90 * 1000) state.SkipWithError("the chapter was not cut");
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(file.size()));
    state.counters["page_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(showChapterOneAfterFetch)->Unit(benchmark::kMicrosecond);

void showChapterTwoAfterFetch(benchmark::State& state) {
    const std::string page = chapterPageTwo(100 * 1000);
    MemoryReaderState reader;
    SourceTwo two(builtInSiteConfig(), reader);
    for (auto _ : state) {
        two.showChapterPage(page);
        benchmark::DoNotOptimize(reader.readingText().size());
    }
    if (reader.readingText().size() < 80 * 1000) state.SkipWithError("the chapter was not cut");
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(page.size()));
    state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(showChapterTwoAfterFetch)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace qm::bench
