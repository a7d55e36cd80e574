#include "served_page.h"

#include <utility>

#include "toolkit/transport.h"

namespace qm {

namespace fuzzing {

namespace {

std::string& served() {
    static std::string page;
    return page;
}

}  // namespace

void servePage(std::string page) {
    served() = std::move(page);
}

}  // namespace fuzzing

namespace transport {

GetResult httpGet(const std::string&, const FetchLimits&) {
    return {GetStatus::ok, fuzzing::served()};
}

}  // namespace transport

}  // namespace qm
