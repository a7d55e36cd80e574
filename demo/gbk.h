// Code page 936 <-> UTF-8 for the demo site (iconv; the site always runs on
// the build machine). The sample texts are compiled as code page 936.
#pragma once

#include <string>

namespace demo {

// Empty when the input is not valid in its own encoding.
std::string gbkToUtf8(const std::string& gbk);
std::string utf8ToGbk(const std::string& utf8);

}  // namespace demo
