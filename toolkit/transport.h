// Seam: the platform's HTTP GET (Win32: XMLHTTP on a worker thread; native: libcurl).
#pragma once

#include <string>

#include "toolkit/fetch.h"

namespace qm::transport {

enum class GetStatus { ok, failed, noRequestObject };

struct GetResult {
    GetStatus status = GetStatus::failed;
    std::string body;  // raw bytes, zero bytes included
};

// A synchronous GET of an http or https url within the limits.
GetResult httpGet(const std::string& url, const FetchLimits& limits);

}  // namespace qm::transport
