// The text server's directory of arbitrary novel keys, directly and through
// computeTextStoreDir: "1/" key "/" for short keys; for a key of digits,
// head "/" tail "/" in digits (or nothing), and for a plain number of four
// to six digits the novel's thousands plus one, then the rest.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/headless/memory_reader_state.h"
#include "sources/source_one.h"

namespace {

using qm::Text;

bool isDigits(const Text& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == Text::npos;
}

// "digits/digits/"
bool isHeadAndTail(const Text& dir) {
    const std::size_t slash = dir.find('/');
    return slash != Text::npos && dir.size() > slash + 1 && dir.back() == '/' &&
           isDigits(dir.substr(0, slash)) &&
           isDigits(dir.substr(slash + 1, dir.size() - slash - 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Text key = input.ConsumeRandomLengthString(16);
    const Text previous = input.ConsumeRemainingBytesAsString();

    const Text dir = qm::textStoreDirFor(key);
    if (key.size() <= 3) {
        QM_FUZZ_CHECK(dir == "1/" + key + "/");
    } else if (isDigits(key)) {
        QM_FUZZ_CHECK(dir.empty() || isHeadAndTail(dir));
    }
    if (key.size() >= 4 && key.size() <= 6 && isDigits(key) && key[0] != '0') {
        const long k = std::stol(key);
        QM_FUZZ_CHECK(dir == std::to_string(k / 1000 + 1) + "/" + std::to_string(k % 1000) + "/");
    }

    // Through the source: the key of the selected novel, whatever was there before.
    qm::MemoryReaderState state;
    state.setTextStoreDir(previous);
    qm::TextTable& novels = state.novelTable();
    const int row = novels.appendRow();
    novels.setCell(row, qm::novel_column::kBookKey, key);
    novels.setCurrentRow(row);
    qm::SourceOne one(qm::SiteConfig{}, state);
    one.computeTextStoreDir();
    // The table and the box hold a text up to its first zero byte.
    QM_FUZZ_CHECK(state.textStoreDir() == Text(qm::textStoreDirFor(Text(key.c_str())).c_str()));
    return 0;
}
