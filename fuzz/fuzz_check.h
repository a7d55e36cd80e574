// A failed property ends the run with the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#define QM_FUZZ_CHECK(condition)                                                                  \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace qm::fuzzing {

// A Text as the system hands it on: no zero byte inside.
inline bool isTerminatedText(const std::string& text) {
    return std::strlen(text.c_str()) == text.size();
}

}  // namespace qm::fuzzing
