// Code page 936 Text to and from the UTF-16 strings that the W functions take.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "toolkit/text.h"

namespace qm::win32 {

// Up to the first zero byte, as a window text would end there.
std::wstring wideOf(const Text& text);
Text textOf(const wchar_t* wide, int length);
Text windowText(HWND window);

// The longest start of text that fits in maxBytes without splitting a
// double-byte character.
Text leadingBytes(const Text& text, std::size_t maxBytes);

}  // namespace qm::win32
