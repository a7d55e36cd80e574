// The natively built HTTP GET: libcurl's easy interface, synchronous, within
// the fetch limits, http and https only (redirects included).
#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "toolkit/transport.h"

namespace qm::transport {

namespace {

constexpr long kMaxRedirects = 10;

struct BodySink {
    CURL* handle = nullptr;
    std::string body;
    std::size_t maxBytes = 0;
    bool overflowed = false;
    bool reserved = false;
};

// The body's buffer, allocated once, before its first bytes: as large as the
// declared length, or else as the limit. Pages of it that no byte reaches
// are never touched, so they cost address space only; growing instead would
// copy a body near the limit into a buffer twice its size.
void reserveBody(BodySink& sink) {
    curl_off_t declared = -1;
    curl_easy_getinfo(sink.handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &declared);
    std::size_t room = sink.maxBytes;
    if (declared >= 0 && static_cast<std::size_t>(declared) < room) {
        room = static_cast<std::size_t>(declared);
    }
    sink.body.reserve(room);
    sink.reserved = true;
}

// Returning less than was handed over makes libcurl abort the transfer.
std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* userData) {
    auto* sink = static_cast<BodySink*>(userData);
    const std::size_t bytes = size * count;
    if (bytes > sink->maxBytes - sink->body.size()) {
        sink->overflowed = true;
        return 0;
    }
    if (!sink->reserved) reserveBody(*sink);
    sink->body.append(data, bytes);
    return bytes;
}

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

}  // namespace

GetResult httpGet(const std::string& url, const FetchLimits& limits) {
    initialiseCurlOnce();
    const std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) return {GetStatus::noRequestObject, {}};

    CURL* handle = easy.get();
    BodySink sink;
    sink.handle = handle;
    sink.maxBytes = limits.maxBodyBytes;
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeoutMs));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeoutMs));
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(limits.maxBodyBytes));
    // Signals would reach the whole program (and cannot time out threads).
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    // The body byte for byte: no content decoding is asked for or applied.
    curl_easy_setopt(handle, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);

    // Any HTTP status counts: the body is the result whatever it is.
    if (curl_easy_perform(handle) != CURLE_OK || sink.overflowed) return {GetStatus::failed, {}};
    return {GetStatus::ok, std::move(sink.body)};
}

}  // namespace qm::transport
