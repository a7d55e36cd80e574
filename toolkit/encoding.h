// Code-page conversions through UTF-16, and the query encoding of keywords.
#pragma once

#include <string>

#include "toolkit/text.h"

namespace qm {

constexpr unsigned kAnsiCodePage = 0;  // CP_ACP
constexpr unsigned kGbkCodePage = 936;
constexpr unsigned kUtf8CodePage = 65001;

// UTF-16 units, low byte first, with the terminating zero unit (and any
// further zero units of the buffer). Empty for empty input.
using WideText = std::string;

WideText toWide(const Text& text, unsigned codePage);
Text fromWide(const WideText& wide, unsigned codePage);
Text gbkToUtf8(const Text& text);
Text utf8ToGbk(const Text& text);

// "%XX" per byte, every byte; pending events are processed after each byte.
Text percentEncode(const Text& text, bool toUtf8First);

}  // namespace qm
