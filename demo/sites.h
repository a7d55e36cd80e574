// The two demo novel sites and the text server, served side by side:
//   /one/           site ONE (UTF-8 pages)
//   /one-text/novel/  its chapter text server (code page 936 files)
//   /two/           site TWO (code page 936 pages)
#pragma once

#include <httplib.h>

#include <string>

namespace demo {

void addSiteOne(httplib::Server& server);
void addSiteTwo(httplib::Server& server, int port);
void addFrontPage(httplib::Server& server);

// Where site ONE's text server files a novel: head "/" tail "/" by the
// thousands of its number; keys of up to three characters under "1/".
std::string textStoreDirOf(const std::string& bookKey);

// The keyword's special characters of HTML as entities.
std::string escapeHtml(const std::string& text);

}  // namespace demo
