// Text: code page 936 bytes, and the byte-exact text operations the novel
// sources rely on. Positions are 1-based byte positions, -1 means "not found".
#pragma once

#include <string>

namespace qm {

using Text = std::string;

int findText(const Text& text, const Text& needle, bool ignoreCase);
Text replaceAll(const Text& text, const Text& old, const Text& replacement, bool ignoreCase);
Text leftBytes(const Text& text, long long n);
Text rightBytes(const Text& text, long long n);
int textLength(const Text& text);
Text numberToText(double x);
double textToNumber(const Text& text);

}  // namespace qm
