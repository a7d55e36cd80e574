// Two yardsticks of how fast this machine runs at the moment, against which
// the budgets were set: iconv converting UTF-8 to code page 936 in one call
// (about 340 MB/s when they were), and Boost.Regex finding source ONE's hits
// in its search page (about 690 MB/s). Neither runs any of the reader's code;
// their figures tell a slow machine from slow code when the cores are shared.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <boost/regex.hpp>
#include <string>

#include "bench/inputs.h"

namespace qm::bench {

namespace {

void iconvUtf8ToGbkYardstick(benchmark::State& state) {
    std::string utf8 = chineseTextUtf8(1024 * 1024 * 3 / 2);
    std::string out(utf8.size() * 2, '\0');
    const iconv_t cd = iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        state.SkipWithError("no iconv converter");
        return;
    }
    for (auto _ : state) {
        char* in = utf8.data();
        std::size_t inLeft = utf8.size();
        char* target = out.data();
        std::size_t targetLeft = out.size();
        iconv(cd, &in, &inLeft, &target, &targetLeft);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        benchmark::DoNotOptimize(out.data());
    }
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(utf8.size()));
}
BENCHMARK(iconvUtf8ToGbkYardstick)->Unit(benchmark::kMillisecond);

void boostRegexSearchPageYardstick(benchmark::State& state) {
    const std::string page = gbkOfUtf8(searchPageOne(5000, 1024 * 1024 * 3 / 2));
    const boost::regex pattern(
        "《<a name= '(.*?)' href= '/(.*?)/' class='bookLink' target='_blank'>(.*?)</a>》",
        boost::regex::perl | boost::regex::icase);
    std::size_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (boost::cregex_iterator it(page.data(), page.data() + page.size(), pattern), end;
             it != end; ++it) {
            ++hits;
        }
        benchmark::DoNotOptimize(hits);
    }
    if (hits != 5000) state.SkipWithError("the page did not give 5000 hits");
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(page.size()));
}
BENCHMARK(boostRegexSearchPageYardstick)->Unit(benchmark::kMillisecond);

// Boost.Regex alone over source TWO's chapter index: the part of
// listChaptersTwo that is the library's own matching.
void boostRegexChapterIndexPart(benchmark::State& state) {
    const std::string page = chapterIndexTwo(10000, 1024 * 1024 * 6 / 5);
    const boost::regex pattern(
        "<td><div class=\"dccss\"><a href=\"(.*?)\" alt=\"(.*?)\">(.*?)</a></div></td>",
        boost::regex::perl | boost::regex::icase);
    std::size_t links = 0;
    for (auto _ : state) {
        links = 0;
        for (boost::cregex_iterator it(page.data(), page.data() + page.size(), pattern), end;
             it != end; ++it) {
            ++links;
        }
        benchmark::DoNotOptimize(links);
    }
    if (links != 10000) state.SkipWithError("the index did not give 10000 links");
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(page.size()));
}
BENCHMARK(boostRegexChapterIndexPart)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace qm::bench
