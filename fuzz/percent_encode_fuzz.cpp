// percentEncode of arbitrary keywords, while the events it processes after
// every byte change the very keyword it was given: the result is "%XX" for
// each byte of the keyword as it was at the call, and decodes back to it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "fuzz_check.h"
#include "toolkit/encoding.h"
#include "toolkit/event_pump.h"

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower case is not written
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool toUtf8First = input.ConsumeBool();
    const auto change = input.ConsumeIntegral<std::uint8_t>();
    qm::Text keyword = input.ConsumeRemainingBytesAsString();
    const qm::Text expected = toUtf8First ? qm::gbkToUtf8(keyword) : keyword;

    std::size_t events = 0;
    qm::setEventPump([&] {
        ++events;
        // An event handler replacing the search box's text mid-encoding.
        if (change % 3 == 0) keyword.clear();
        if (change % 3 == 1) keyword.append(64, 'x');
        if (change % 3 == 2) keyword = keyword.substr(keyword.size() / 2);
    });
    const qm::Text encoded = qm::percentEncode(keyword, toUtf8First);
    qm::setEventPump(nullptr);

    QM_FUZZ_CHECK(events == expected.size());
    QM_FUZZ_CHECK(encoded.size() == 3 * expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QM_FUZZ_CHECK(encoded[3 * i] == '%');
        const int high = hexValue(encoded[3 * i + 1]);
        const int low = hexValue(encoded[3 * i + 2]);
        QM_FUZZ_CHECK(high >= 0 && low >= 0);
        QM_FUZZ_CHECK(static_cast<unsigned char>(expected[i]) == high * 16 + low);
    }
    return 0;
}
