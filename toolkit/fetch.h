// The one HTTP fetch: a synchronous GET whose body comes back byte for byte.
#pragma once

#include <cstddef>

#include "toolkit/text.h"

namespace qm {

// Bounds on every fetch; past any of them the fetch has failed.
struct FetchLimits {
    int connectTimeoutMs = 10'000;
    int totalTimeoutMs = 30'000;
    std::size_t maxBodyBytes = 64u << 20;
};

// Tests shorten the bounds; the program keeps the defaults.
void setFetchLimits(const FetchLimits& limits);
FetchLimits fetchLimits();

// The response body up to its first zero byte, whatever the HTTP status; the
// empty Text on any failure. Only http and https, redirects included.
Text fetchPage(const Text& url);

}  // namespace qm
