// The demo site's front page: what there is to find, in UTF-8.
#include <string>

#include "gbk.h"
#include "library.h"
#include "sites.h"

namespace demo {

namespace {

std::string novelList(const std::vector<Novel>& novels) {
    std::string list = "<ul>\n";
    for (const Novel& novel : novels) {
        list += "<li>《" + novel.title + "》 " + novel.author + "，" + novel.latinName + "，共" +
                std::to_string(novel.chapterCount) + "章</li>\n";
    }
    return list + "</ul>\n";
}

}  // namespace

std::string escapeHtml(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void addFrontPage(httplib::Server& server) {
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
        const std::string page =
            "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Quillmere 示例书站</title>"
            "</head>\n<body>\n<h1>Quillmere 示例书站</h1>\n"
            "<p>搜索时，书名、作者或英文名里含有关键字的小说都会被找到（英文不分大小写）。</p>\n"
            "<h2>书站一（ONE）</h2>\n" +
            novelList(novelsOfSiteOne()) +
            "<h2>书站二（TWO）</"
            "h2>\n<p>只找到一部时显示它的书页（点击阅读），找到几部时显示结果表格。</p>\n" +
            novelList(novelsOfSiteTwo()) + "</body></html>\n";
        res.set_content(gbkToUtf8(page), "text/html; charset=utf-8");
    });
}

}  // namespace demo
