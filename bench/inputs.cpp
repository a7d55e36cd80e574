#include "bench/inputs.h"

#include <iconv.h>

#include <cstdint>

namespace qm::bench {

namespace {

// A fixed sequence of numbers (64-bit linear congruential), so every run
// builds the same pages.
class Sequence {
  public:
    explicit Sequence(std::uint64_t start) : state_(start) {}
    unsigned next(unsigned bound) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>((state_ >> 33) % bound);
    }

  private:
    std::uint64_t state_;
};

// One common character: rows B0 to D6 of code page 936 are all assigned.
void appendHanzi(std::string& out, Sequence& seq) {
    out.push_back(static_cast<char>(0xB0 + seq.next(0xD7 - 0xB0)));
    out.push_back(static_cast<char>(0xA1 + seq.next(0xFF - 0xA1)));
}

std::string hanzi(Sequence& seq, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) appendHanzi(out, seq);
    return out;
}

// Sentences of 8 to 30 characters ended by full-width punctuation; a line
// break after about every fifth sentence.
void appendProse(std::string& out, Sequence& seq, std::size_t bytes, const char* lineBreak) {
    static const char* const kStops[] = {"，", "。", "！", "？", "；", "：“", "”。"};
    while (out.size() < bytes) {
        out += hanzi(seq, 8 + static_cast<int>(seq.next(23)));
        out += kStops[seq.next(7)];
        if (seq.next(5) == 0) out += lineBreak;
    }
}

std::string convertedByIconv(const char* to, const char* from, const std::string& text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out(text.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(text.data());  // iconv does not write it
    std::size_t inLeft = text.size();
    char* target = out.data();
    std::size_t targetLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &target, &targetLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return {};
    out.resize(out.size() - targetLeft);
    return out;
}

}  // namespace

std::string utf8OfGbk(const std::string& gbk) {
    return convertedByIconv("UTF-8", "CP936", gbk);
}

std::string gbkOfUtf8(const std::string& utf8) {
    return convertedByIconv("CP936", "UTF-8", utf8);
}

std::string chineseTextGbk(std::size_t bytes) {
    Sequence seq(1);
    std::string out;
    out.reserve(bytes + 64);
    appendProse(out, seq, bytes, "\r\n");
    return out;
}

std::string chineseTextUtf8(std::size_t bytes) {
    // Three UTF-8 bytes for every two of code page 936, nearly.
    std::string utf8 = utf8OfGbk(chineseTextGbk(bytes / 3 * 2));
    Sequence seq(2);
    while (utf8.size() < bytes) utf8 += utf8OfGbk(hanzi(seq, 1));
    return utf8;
}

std::string searchPageOne(int hits, std::size_t bytes) {
    Sequence seq(3);
    std::string gbk =
        "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>搜索结果</title>"
        "<link rel=\"stylesheet\" href=\"/css/style.css\"></head>\r\n<body>\r\n"
        "<div class=\"search-list\"><ul>\r\n";
    // A hit in UTF-8 takes about this many bytes; the intro fills what the
    // markup leaves of it.
    const std::size_t perHit = bytes / static_cast<std::size_t>(hits);
    for (int i = 0; i < hits; ++i) {
        const std::string key = std::to_string(100000 + i * 7);
        std::string hit =
            "<li><span class=\"s1\">[" + hanzi(seq, 2) + "]</span><span class=\"s2\">";
        hit += "《<a name= '" + key + "' href= '/" + key + "/' class='bookLink' target='_blank'>" +
               hanzi(seq, 2 + seq.next(8)) + "</a>》";
        hit += "</span><span class=\"s3\">" + hanzi(seq, 3) + "</span><span class=\"s4\">";
        const std::string end = "</span></li>\r\n";
        const std::size_t markup = utf8OfGbk(hit).size() + end.size();
        if (perHit > markup) hit += hanzi(seq, static_cast<int>((perHit - markup) / 3));
        hit += end;
        gbk += hit;
    }
    gbk += "</ul></div>\r\n";
    std::string page = utf8OfGbk(gbk);
    const std::string end = "</body></html>\r\n";
    if (page.size() + end.size() < bytes) {
        page += "<div class=\"foot\">";
        page += chineseTextUtf8(bytes - page.size() - end.size() - 24);
        page += "</div>\r\n";
    }
    return page + end;
}

std::string chapterIndexTwo(int chapters, std::size_t bytes) {
    Sequence seq(4);
    std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />"
        "<title>全部章节</title></head>\r\n<body>\r\n<table cellspacing=\"1\" class=\"acss\">\r\n";
    page.reserve(bytes + 256);
    for (int i = 0; i < chapters; ++i) {
        if (i % 4 == 0) page += "<tr>\r\n";
        const std::string title = "第" + std::to_string(i + 1) + "章 " + hanzi(seq, 8);
        page += "<td><div class=\"dccss\"><a href=\"" + std::to_string(7000000 + i) +
                ".html\" alt=\"" + title + "\">" + title + "</a></div></td>\r\n";
        if (i % 4 == 3) page += "</tr>\r\n";
    }
    page += "</table>\r\n";
    const std::string end = "</body></html>\r\n";
    if (page.size() + end.size() < bytes) {
        std::string filler = "<div class=\"foot\">";
        appendProse(filler, seq, bytes - page.size() - end.size() - 8, "<br />");
        page += filler + "</div>\r\n";
    }
    return page + end;
}

std::string chapterFileOne(std::size_t bytes) {
    Sequence seq(5);
    std::string file = "document.write('";
    file.reserve(bytes + 256);
    while (file.size() + 8 < bytes) {
        file += "&nbsp;&nbsp;&nbsp;&nbsp;";
        appendProse(file, seq, file.size() + 120 + seq.next(300), "");
        file += "<br/><br/>";
    }
    return file + "');\r\n";
}

std::string chapterPageTwo(std::size_t bytes) {
    Sequence seq(6);
    std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />"
        "<title>第一章</title><script src=\"/js/common.js\" type=\"text/javascript\"></script>"
        "</head>\r\n<body>\r\n<div class=\"bookname\"><h1>第一章 " +
        hanzi(seq, 6) +
        "</h1></div>\r\n<div id=\"content\"><div align=\"center\"><script src=\"/js/gg.js\" "
        "type=\"text/javascript\"></script></div>";
    const std::string tail =
        "<div align=\"center\"><script type=\"text/javascript\" src=\"/js/ad.js\"></script>"
        "</div></div>\r\n</body></html>\r\n";
    page.reserve(bytes + 256);
    while (page.size() + tail.size() + 8 < bytes) {
        page += "&nbsp;&nbsp;&nbsp;&nbsp;";
        appendProse(page, seq, page.size() + 120 + seq.next(300), "");
        page += "<br /><br />";
    }
    return page + tail;
}

}  // namespace qm::bench
