// textBetween on arbitrary text and markers: the result is the text that
// stands right after the first front marker, never more than there is.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "fuzz_check.h"
#include "toolkit/marker.h"
#include "toolkit/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const qm::Text front = input.ConsumeRandomLengthString(24);
    const qm::Text back = input.ConsumeRandomLengthString(24);
    const qm::Text text = input.ConsumeRemainingBytesAsString();

    const qm::Text between = qm::textBetween(text, front, back);
    QM_FUZZ_CHECK(between.size() < text.size() || between.empty());
    // "#引号" in a marker stands for a double quote.
    const qm::Text frontMarker = qm::replaceAll(front, "#引号", "\"", false);
    const qm::Text backMarker = qm::replaceAll(back, "#引号", "\"", false);
    const int at = qm::findText(text, frontMarker, true);
    if (at == -1) {
        QM_FUZZ_CHECK(between.empty());
        return 0;
    }
    const std::size_t start = static_cast<std::size_t>(at) - 1 + frontMarker.size();
    QM_FUZZ_CHECK(text.compare(start, between.size(), between) == 0);
    if (!between.empty()) {
        // It ends where the back marker begins, and holds none before that.
        const qm::Text rest = text.substr(start);
        QM_FUZZ_CHECK(qm::findText(rest, backMarker, true) == static_cast<int>(between.size()) + 1);
    }
    return 0;
}
