#include "gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace demo {

namespace {

std::string convert(const char* to, const char* from, const std::string& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
    std::vector<char> in(input.begin(), input.end());
    std::string out;
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char buffer[4096];
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    return ok ? out : std::string();
}

}  // namespace

std::string gbkToUtf8(const std::string& gbk) {
    return convert("UTF-8", "GBK", gbk);
}
std::string utf8ToGbk(const std::string& utf8) {
    return convert("GBK", "UTF-8", utf8);
}

}  // namespace demo
