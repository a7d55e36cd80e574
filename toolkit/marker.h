// Cutting one block of interest out of a page by its front and back markers.
#pragma once

#include "toolkit/text.h"

namespace qm {

// The text after the first front marker up to the first back marker after it;
// empty when either is missing. "#引号" in a marker stands for a double quote.
Text textBetween(const Text& text, const Text& front, const Text& back);

}  // namespace qm
