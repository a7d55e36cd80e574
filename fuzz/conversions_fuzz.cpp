// The code-page conversions on arbitrary bytes: every result is a terminated
// Text read only from written memory (a WideText has its zero unit), and a
// text that has been through a conversion once comes back unchanged from the
// round trip.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "fuzz_check.h"
#include "toolkit/encoding.h"

namespace {

bool hasZeroUnit(const qm::WideText& wide) {
    for (std::size_t i = 0; i + 1 < wide.size(); i += 2) {
        if (wide[i] == 0 && wide[i + 1] == 0) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    constexpr unsigned kCodePages[] = {qm::kAnsiCodePage, qm::kGbkCodePage, qm::kUtf8CodePage};
    const unsigned codePage = kCodePages[input.ConsumeIntegralInRange(0, 2)];
    const qm::Text bytes = input.ConsumeRemainingBytesAsString();
    // A Text ends at its first zero byte.
    const qm::Text text(bytes.c_str());

    const qm::WideText wide = qm::toWide(text, codePage);
    QM_FUZZ_CHECK(wide.size() % 2 == 0);
    QM_FUZZ_CHECK(text.empty() ? wide.empty() : hasZeroUnit(wide));
    QM_FUZZ_CHECK(qm::fuzzing::isTerminatedText(qm::fromWide(wide, codePage)));
    // Units that are no proper WideText: odd length, no terminator.
    QM_FUZZ_CHECK(qm::fuzzing::isTerminatedText(qm::fromWide(bytes, codePage)));

    const qm::Text utf8 = qm::gbkToUtf8(text);
    const qm::Text gbk = qm::utf8ToGbk(text);
    QM_FUZZ_CHECK(qm::fuzzing::isTerminatedText(utf8) && qm::fuzzing::isTerminatedText(gbk));
    QM_FUZZ_CHECK(qm::gbkToUtf8(qm::utf8ToGbk(utf8)) == utf8);
    QM_FUZZ_CHECK(qm::utf8ToGbk(qm::gbkToUtf8(gbk)) == gbk);
    return 0;
}
