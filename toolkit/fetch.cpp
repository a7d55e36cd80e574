#include "toolkit/fetch.h"

#include <cctype>
#include <cstring>
#include <string_view>
#include <utility>

#include "toolkit/busy_indicator.h"
#include "toolkit/message_box.h"
#include "toolkit/transport.h"

namespace qm {

namespace {

FetchLimits& currentLimits() {
    static FetchLimits limits;
    return limits;
}

bool startsWithIgnoringCase(const Text& text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

// The platform's HTTP component would also read file: and other schemes.
bool isHttpUrl(const Text& url) {
    return startsWithIgnoringCase(url, "http://") || startsWithIgnoringCase(url, "https://");
}

}  // namespace

void setFetchLimits(const FetchLimits& limits) {
    currentLimits() = limits;
}

FetchLimits fetchLimits() {
    return currentLimits();
}

Text fetchPage(const Text& url) {
    if (!isHttpUrl(url)) return {};
    const FetchLimits limits = currentLimits();
    // The window is blocked for the request alone: the sign is gone before
    // any message box below.
    transport::GetResult result = [&] {
        const BusyScope busy;
        return transport::httpGet(url, limits);
    }();
    switch (result.status) {
        case transport::GetStatus::noRequestObject:
            showMessage("创建对象失败！", "错误", kIconInformation);
            return {};
        case transport::GetStatus::failed:
            return {};
        case transport::GetStatus::ok:
            break;
    }
    if (result.body.size() > limits.maxBodyBytes) return {};
    // A Text holds no zero byte: the page ends at the first one. The body is
    // cut in place rather than copied.
    Text page = std::move(result.body);
    page.resize(std::strlen(page.c_str()));
    return page;
}

}  // namespace qm
