#include "sources/source_two.h"

#include "sources/table_rows.h"
#include "toolkit/encoding.h"
#include "toolkit/event_pump.h"
#include "toolkit/fetch.h"
#include "toolkit/marker.h"
#include "toolkit/pattern.h"
#include "toolkit/text.h"

namespace qm {

namespace {

constexpr const char* kSourceTag = "ranwen";
constexpr const char* kSearchPath = "modules/article/search.php?searchkey=";
constexpr const char* kArticlePath = "files/article/";

// A search page with this word lists its hits as click-to-read cards,
// otherwise as a results table.
constexpr const char* kClickToReadWord = "点击阅读";

// The patterns hold the site's own address as it is configured, unescaped:
// its dots match any character, like the other dots here.
// Click-to-read card: 1 key, 2 title.
Text clickToReadPattern(const Text& base) {
    return "<b><a href=\"" + base + "files/article/(.*?)index.html\" alt=\"(.*?)\" title=";
}
// Results table row: two cells, each indented by four blanks, the first
// ended by CR LF. 2 title, 3 key.
Text tableRowPattern(const Text& base) {
    return "    <td class=\"odd\"><a href=\"" + base +
           "info_(.*?).html\">(.*?)</a></td>\r\n    <td class=\"even\"><a href=\"" + base +
           "files/article/(.*?)index.html\" target=\"_blank\">(.*?)</a></td>";
}
// Chapter link on a novel's index: 1 chapter key, 2 title.
constexpr const char* kChapterPattern =
    "<td><div class=\"dccss\"><a href=\"(.*?)\" alt=\"(.*?)\">(.*?)</a></div></td>";

// A chapter page with this text is not shown (three blanks, then &nbsp;).
constexpr const char* kRefusedPageMark = "   &nbsp;";
constexpr const char* kChapterFront = "gg.js\" type=\"text/javascript\"></script></div>";
constexpr const char* kChapterBack = "<div align=\"center\"><script type=\"text/javascript";

}  // namespace

SourceTwo::SourceTwo(const SiteConfig& config, ReaderState& state)
    : siteBase_(config.siteBaseTwo), state_(state) {}

void SourceTwo::searchSourceTwo() {
    const Text keyword = state_.searchText();
    // Events are processed inside the encoding; the state is read afresh after it.
    const Text encoded = percentEncode(keyword, false);
    fillNovelTableFromSearchPage(fetchPage(siteBase_ + kSearchPath + encoded));
}

void SourceTwo::fillNovelTableFromSearchPage(const Text& page) {
    const bool clickToRead = findText(page, kClickToReadWord, false) != -1;

    TextTable& novels = state_.novelTable();
    novels.clear();
    compilePattern(clickToRead ? clickToReadPattern(siteBase_) : tableRowPattern(siteBase_));
    const MatchList hits = searchAll(page);
    const int keyGroup = clickToRead ? 1 : 3;
    for (const PatternMatch& hit : hits) {
        appendNovelRow(novels, subMatchText(hit, page, 2), subMatchText(hit, page, keyGroup),
                       kSourceTag);
    }
    processPendingEvents();
}

void SourceTwo::listChaptersTwo() {
    const TextTable& novels = state_.novelTable();
    const Text bookKey = novels.cell(novels.currentRow(), novel_column::kBookKey);
    fillChapterTableFromIndexPage(fetchPage(siteBase_ + kArticlePath + bookKey + "index.html"));
}

void SourceTwo::fillChapterTableFromIndexPage(const Text& page) {
    TextTable& chapters = state_.chapterTable();
    chapters.clear();
    compilePattern(kChapterPattern);
    const MatchList links = searchAll(page);
    for (const PatternMatch& link : links) {
        appendChapterRow(chapters, subMatchText(link, page, 2), subMatchText(link, page, 1));
    }
    processPendingEvents();
}

// The novel the reader opened, when it remembers one; otherwise the one
// selected in NovelTable.
Text SourceTwo::openBookKey() const {
    const RememberedNovel remembered = state_.rememberedNovel();
    if (remembered.known) return remembered.bookKey;
    const TextTable& novels = state_.novelTable();
    return novels.cell(novels.currentRow(), novel_column::kBookKey);
}

void SourceTwo::showChapterTwo() {
    const Text bookKey = openBookKey();
    const TextTable& chapters = state_.chapterTable();
    const Text chapterKey = chapters.cell(chapters.currentRow(), chapter_column::kChapterKey);
    showChapterPage(fetchPage(siteBase_ + kArticlePath + bookKey + chapterKey));
}

void SourceTwo::showChapterPage(const Text& page) {
    if (findText(page, kRefusedPageMark, false) != -1) return;

    const Text chapter = textBetween(page, kChapterFront, kChapterBack);
    const Text spaced = replaceAll(chapter, "&nbsp;&nbsp;", " ", true);
    state_.setReadingText(replaceAll(spaced, "<br />", "\r\n", true));
}

}  // namespace qm
