// Site ONE: a search page and one page per novel in UTF-8, and a text server
// with one code page 936 file per chapter, a script call that writes it.
#include <string>
#include <vector>

#include "gbk.h"
#include "library.h"
#include "sites.h"

namespace demo {

namespace {

constexpr int kFirstChapterId = 1001;

std::string chapterId(int chapter) {
    return std::to_string(kFirstChapterId + chapter);
}

void sendUtf8Page(httplib::Response& res, const std::string& gbkPage) {
    res.set_content(gbkToUtf8(gbkPage), "text/html; charset=utf-8");
}

std::string searchPage(const std::string& keyword) {
    const std::vector<const Novel*> hits = findNovels(novelsOfSiteOne(), keyword);
    std::string page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>搜索结果 - 示例书站一</title>"
        "</head>\n<body>\n<h1>示例书站一</h1>\n<p>搜索“" +
        escapeHtml(keyword) +
        "”的结果：</p>\n"
        "<ul class=\"result\">\n";
    for (const Novel* novel : hits) {
        page += "<li>《<a name= '" + novel->bookKey + "' href= '/one/" + novel->bookKey +
                "/' class='bookLink' target='_blank'>" + novel->title + "</a>》 作者：" +
                novel->author + " 共" + std::to_string(novel->chapterCount) + "章</li>\n";
    }
    page += "</ul>\n";
    page += hits.empty() ? "<p>没有找到相关的小说，换个关键字试试。</p>\n"
                         : "<p>共找到 " + std::to_string(hits.size()) + " 部小说。</p>\n";
    return page + "</body></html>\n";
}

std::string chapterLink(const Novel& novel, const std::string& name, int chapter,
                        const std::string& title, const std::string& text) {
    return "<a name='" + name + "' id='" + chapterId(chapter) + "'class='bookLink' title='" +
           title + "' href='/one-text/novel/" + textStoreDirOf(novel.bookKey) + chapterId(chapter) +
           ".txt'>" + text + "</a>";
}

std::string novelPage(const Novel& novel) {
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" +
                       novel.title + " - 示例书站一</title></head>\n<body>\n<h1>" + novel.title +
                       "</h1>\n<p>作者：" + novel.author + "</p>\n<p>" + novel.blurb +
                       "</p>\n<div class=\"chapters\">\n";
    for (int c = 0; c < novel.chapterCount; ++c) {
        const std::string title = chapterTitle(novel, c);
        page += chapterLink(novel, "chapter", c, title, title) + "<br>\n";
    }
    // The site ends the list with a link to the newest chapter again.
    const int last = novel.chapterCount - 1;
    const std::string lastTitle = chapterTitle(novel, last);
    page += "</div>\n<p class=\"latest\">" +
            chapterLink(novel, "latest", last, "最新章节：" + lastTitle, "最新章节") +
            "</p>\n</body></html>\n";
    return page;
}

// Most chapters use document.write; every third one document.writeln.
std::string chapterFile(const Novel& novel, int chapter) {
    std::string text;
    for (const std::string& paragraph : chapterParagraphs(novel, chapter)) {
        if (!text.empty()) text += "<br/><br/>";
        text += "　　" + paragraph;
    }
    const char* call = chapter % 3 == 2 ? "document.writeln('" : "document.write('";
    return call + text + "');\r\n";
}

const Novel* novelByKey(const std::string& bookKey) {
    for (const Novel& novel : novelsOfSiteOne()) {
        if (novel.bookKey == bookKey) return &novel;
    }
    return nullptr;
}

const Novel* novelByDirectory(const std::string& dir) {
    for (const Novel& novel : novelsOfSiteOne()) {
        if (textStoreDirOf(novel.bookKey) == dir) return &novel;
    }
    return nullptr;
}

}  // namespace

std::string textStoreDirOf(const std::string& bookKey) {
    if (bookKey.size() <= 3) return "1/" + bookKey + "/";
    const long long number = std::stoll(bookKey);
    return std::to_string(number / 1000 + 1) + "/" + std::to_string(number % 1000) + "/";
}

void addSiteOne(httplib::Server& server) {
    server.Get("/one/search", [](const httplib::Request& req, httplib::Response& res) {
        sendUtf8Page(res, searchPage(utf8ToGbk(req.get_param_value("searchkey"))));
    });
    server.Get(R"(/one/(\d{1,6})/?)", [](const httplib::Request& req, httplib::Response& res) {
        const Novel* novel = novelByKey(req.matches[1]);
        if (!novel) {
            res.status = 404;
            sendUtf8Page(res, "<html><body>没有这部小说。</body></html>\n");
            return;
        }
        sendUtf8Page(res, novelPage(*novel));
    });
    server.Get(R"(/one-text/novel/(\d+/\d+/)(\d+)\.txt)", [](const httplib::Request& req,
                                                             httplib::Response& res) {
        const Novel* novel = novelByDirectory(req.matches[1]);
        const int chapter = std::stoi(req.matches[2].str().substr(0, 6)) - kFirstChapterId;
        if (!novel || chapter < 0 || chapter >= novel->chapterCount) {
            res.status = 404;
            res.set_content("document.write('没有这一章。');", "text/plain; charset=gbk");
            return;
        }
        res.set_content(chapterFile(*novel, chapter), "text/plain; charset=gbk");
    });
}

}  // namespace demo
