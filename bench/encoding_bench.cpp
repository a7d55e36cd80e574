// The two whole-text conversions, each over 1.5 MiB of Chinese text in its
// own encoding; the throughput counts the input bytes. And what their two
// sizing passes take of that.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "bench/inputs.h"
#include "toolkit/codepage.h"
#include "toolkit/encoding.h"

namespace qm::bench {

namespace {

constexpr std::size_t kInputBytes = 1024 * 1024 * 3 / 2;

void utf8ToGbkThroughput(benchmark::State& state) {
    const std::string utf8 = chineseTextUtf8(kInputBytes);
    const std::string expected = gbkOfUtf8(utf8);
    bool same = true;
    for (auto _ : state) {
        const Text gbk = utf8ToGbk(utf8);
        same = gbk == expected;
        benchmark::DoNotOptimize(gbk.data());
    }
    if (!same) state.SkipWithError("the conversion differs from iconv's");
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(utf8.size()));
}
BENCHMARK(utf8ToGbkThroughput)->Unit(benchmark::kMillisecond);

void gbkToUtf8Throughput(benchmark::State& state) {
    const std::string gbk = chineseTextGbk(kInputBytes);
    const std::string expected = utf8OfGbk(gbk);
    bool same = true;
    for (auto _ : state) {
        const Text utf8 = gbkToUtf8(gbk);
        same = utf8 == expected;
        benchmark::DoNotOptimize(utf8.data());
    }
    if (!same) state.SkipWithError("the conversion differs from iconv's");
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(gbk.size()));
}
BENCHMARK(gbkToUtf8Throughput)->Unit(benchmark::kMillisecond);

// The two sizing passes of each conversion alone: the counts under the ANSI
// code page that toWide and fromWide take before they convert (the toWide
// count reads the input as code page 936, whatever it is).
void sizingPasses(benchmark::State& state, const std::string& input, unsigned from) {
    const WideText wide = toWide(input, from);
    std::u16string units(wide.size() / 2, u'\0');
    std::memcpy(units.data(), wide.data(), units.size() * 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            codepage::multiByteToWide(kAnsiCodePage, input.c_str(), nullptr, 0));
        benchmark::DoNotOptimize(
            codepage::wideToMultiByte(kAnsiCodePage, units.c_str(), nullptr, 0));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(input.size()));
}

void utf8ToGbkSizingPasses(benchmark::State& state) {
    sizingPasses(state, chineseTextUtf8(kInputBytes), kUtf8CodePage);
}
BENCHMARK(utf8ToGbkSizingPasses)->Unit(benchmark::kMillisecond);

void gbkToUtf8SizingPasses(benchmark::State& state) {
    sizingPasses(state, chineseTextGbk(kInputBytes), kGbkCodePage);
}
BENCHMARK(gbkToUtf8SizingPasses)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace qm::bench
