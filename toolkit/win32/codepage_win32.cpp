#include <windows.h>

#include "toolkit/codepage.h"

namespace qm::codepage {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

int multiByteToWide(unsigned codePage, const char* text, char16_t* out, int capacity) {
    return MultiByteToWideChar(codePage, 0, text, -1, reinterpret_cast<wchar_t*>(out), capacity);
}

int wideToMultiByte(unsigned codePage, const char16_t* wide, char* out, int capacity) {
    return WideCharToMultiByte(codePage, 0, reinterpret_cast<const wchar_t*>(wide), -1, out,
                               capacity, nullptr, nullptr);
}

}  // namespace qm::codepage
