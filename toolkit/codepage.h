// Seam: the platform's code-page conversion, with the contract of
// MultiByteToWideChar / WideCharToMultiByte called with flags 0 and length -1:
// the input is zero-terminated; with capacity 0 the result is the number of
// units (bytes) needed, terminator included; otherwise the number written,
// terminator included, or 0 on failure (a buffer too small included).
// Code pages: kAnsiCodePage (936 here), kGbkCodePage, kUtf8CodePage.
#pragma once

namespace qm::codepage {

int multiByteToWide(unsigned codePage, const char* text, char16_t* out, int capacity);
int wideToMultiByte(unsigned codePage, const char16_t* wide, char* out, int capacity);

}  // namespace qm::codepage
