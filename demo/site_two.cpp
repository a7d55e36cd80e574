// Site TWO: every page in code page 936. Its links are absolute, so they are
// written with the address the client used to reach the site.
#include <string>
#include <vector>

#include "library.h"
#include "sites.h"

namespace demo {

namespace {

constexpr int kFirstChapterId = 1001;

std::string chapterPageName(int chapter) {
    return std::to_string(kFirstChapterId + chapter) + ".html";
}

void sendGbkPage(httplib::Response& res, const std::string& page) {
    res.set_content(page, "text/html; charset=gbk");
}

std::string pageHead(const std::string& title) {
    return "<!DOCTYPE html>\r\n<html><head><meta http-equiv=\"Content-Type\" "
           "content=\"text/html; charset=gbk\"><title>" +
           title + " - 示例书站二</title></head>\r\n<body>\r\n";
}

std::string indexAddress(const std::string& base, const Novel& novel) {
    return base + "files/article/" + novel.bookKey + "index.html";
}

// One novel found: its card, with the button to start reading.
std::string cardPage(const std::string& base, const Novel& novel) {
    return pageHead(novel.title) + "<div class=\"book\">\r\n<b><a href=\"" +
           indexAddress(base, novel) + "\" alt=\"" + novel.title + "\" title=\"" + novel.title +
           "\">" + novel.title + "</a></b>\r\n<p>作者：" + novel.author + "　共" +
           std::to_string(novel.chapterCount) + "章</p>\r\n<p>" + novel.blurb +
           "</p>\r\n<p><a href=\"" + indexAddress(base, novel) +
           "\">点击阅读</a></p>\r\n</div>\r\n</body></html>\r\n";
}

// Several novels found, or none: the results table, one row per novel.
std::string tablePage(const std::string& base, const std::string& keyword,
                      const std::vector<const Novel*>& hits) {
    std::string page = pageHead("搜索结果") + "<p>搜索“" + escapeHtml(keyword) +
                       "”的结果：</p>\r\n<table class=\"grid\">\r\n<tr>\r\n    <th>书名</th>\r\n"
                       "    <th>最新章节</th>\r\n    <th>作者</th>\r\n</tr>\r\n";
    for (const Novel* novel : hits) {
        page += "<tr>\r\n    <td class=\"odd\"><a href=\"" + base + "info_" +
                std::to_string(novel->number) + ".html\">" + novel->title +
                "</a></td>\r\n    <td class=\"even\"><a href=\"" + indexAddress(base, *novel) +
                "\" target=\"_blank\">" + chapterTitle(*novel, novel->chapterCount - 1) +
                "</a></td>\r\n    <td class=\"odd\">" + novel->author + "</td>\r\n</tr>\r\n";
    }
    page += "</table>\r\n";
    if (hits.empty()) page += "<p>没有找到相关的小说，换个关键字试试。</p>\r\n";
    return page + "</body></html>\r\n";
}

std::string indexPage(const Novel& novel) {
    std::string page = pageHead(novel.title) + "<h1>" + novel.title + "</h1>\r\n<p>作者：" +
                       novel.author + "</p>\r\n<table class=\"list\">\r\n";
    for (int c = 0; c < novel.chapterCount; ++c) {
        if (c % 3 == 0) page += "<tr>";
        const std::string title = chapterTitle(novel, c);
        page += "<td><div class=\"dccss\"><a href=\"" + chapterPageName(c) + "\" alt=\"" + title +
                "\">" + title + "</a></div></td>";
        if (c % 3 == 2 || c == novel.chapterCount - 1) page += "</tr>\r\n";
    }
    return page + "</table>\r\n</body></html>\r\n";
}

std::string chapterPage(const Novel& novel, int chapter) {
    std::string text;
    for (const std::string& paragraph : chapterParagraphs(novel, chapter)) {
        if (!text.empty()) text += "<br /><br />";
        text += "&nbsp;&nbsp;&nbsp;&nbsp;" + paragraph;
    }
    std::string nav = "<a href=\"index.html\">目录</a>";
    if (chapter + 1 < novel.chapterCount) {
        nav += " <a href=\"" + chapterPageName(chapter + 1) + "\">下一章</a>";
    }
    return pageHead(chapterTitle(novel, chapter) + " - " + novel.title) + "<h1>" +
           chapterTitle(novel, chapter) + "</h1>\r\n<div class=\"nav\">" + nav +
           "</div>\r\n<div id=\"content\"><script src=\"/two/js/gg.js\" "
           "type=\"text/javascript\"></script></div>" +
           text +
           "<div align=\"center\"><script type=\"text/javascript\" src=\"/two/js/foot.js\">"
           "</script></div>\r\n</body></html>\r\n";
}

const Novel* novelByKey(const std::string& bookKey) {
    for (const Novel& novel : novelsOfSiteTwo()) {
        if (novel.bookKey == bookKey) return &novel;
    }
    return nullptr;
}

const Novel* novelByNumber(const std::string& number) {
    for (const Novel& novel : novelsOfSiteTwo()) {
        if (std::to_string(novel.number) == number) return &novel;
    }
    return nullptr;
}

void notFound(httplib::Response& res) {
    res.status = 404;
    sendGbkPage(res, pageHead("找不到") + "<p>没有这个页面。</p>\r\n</body></html>\r\n");
}

}  // namespace

void addSiteTwo(httplib::Server& server, int port) {
    // The address of the site as the client named it.
    const auto baseOf = [port](const httplib::Request& req) {
        const std::string host = req.get_header_value("Host");
        return "http://" + (host.empty() ? "127.0.0.1:" + std::to_string(port) : host) + "/two/";
    };
    server.Get("/two/modules/article/search.php",
               [baseOf](const httplib::Request& req, httplib::Response& res) {
                   const std::string keyword = req.get_param_value("searchkey");
                   const std::vector<const Novel*> hits = findNovels(novelsOfSiteTwo(), keyword);
                   sendGbkPage(res, hits.size() == 1 ? cardPage(baseOf(req), *hits[0])
                                                     : tablePage(baseOf(req), keyword, hits));
               });
    server.Get(R"(/two/info_(\d+)\.html)",
               [baseOf](const httplib::Request& req, httplib::Response& res) {
                   const Novel* novel = novelByNumber(req.matches[1]);
                   novel ? sendGbkPage(res, cardPage(baseOf(req), *novel)) : notFound(res);
               });
    server.Get(R"(/two/files/article/(html/\d+/\d+/)index\.html)",
               [](const httplib::Request& req, httplib::Response& res) {
                   const Novel* novel = novelByKey(req.matches[1]);
                   novel ? sendGbkPage(res, indexPage(*novel)) : notFound(res);
               });
    server.Get(R"(/two/files/article/(html/\d+/\d+/)(\d{1,6})\.html)",
               [](const httplib::Request& req, httplib::Response& res) {
                   const Novel* novel = novelByKey(req.matches[1]);
                   const int chapter = std::stoi(req.matches[2]) - kFirstChapterId;
                   if (!novel || chapter < 0 || chapter >= novel->chapterCount)
                       return notFound(res);
                   sendGbkPage(res, chapterPage(*novel, chapter));
               });
}

}  // namespace demo
