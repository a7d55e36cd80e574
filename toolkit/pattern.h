// The one regular-expression object the sources compile their patterns into.
#pragma once

#include <vector>

#include "toolkit/text.h"

namespace qm {

struct SubMatch {
    long long offset = 0;  // bytes from the start of the searched text
    long long length = 0;
    bool matched = false;
};

// Record 0 is the whole match, records 1..k the capturing groups.
struct PatternMatch {
    std::vector<SubMatch> records;
};

using MatchList = std::vector<PatternMatch>;

// Created empty at start-up, destroyed at exit. compilePattern/searchAll act
// on it; using them while it does not exist compiles nothing and finds nothing.
void createSharedPattern();
void destroySharedPattern();

bool compilePattern(const Text& pattern);
MatchList searchAll(const Text& text);
Text subMatchText(const PatternMatch& match, const Text& text, int n);

}  // namespace qm
