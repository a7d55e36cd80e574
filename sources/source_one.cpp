#include "sources/source_one.h"

#include "sources/table_rows.h"
#include "toolkit/encoding.h"
#include "toolkit/event_pump.h"
#include "toolkit/fetch.h"
#include "toolkit/marker.h"
#include "toolkit/pattern.h"
#include "toolkit/text.h"

namespace qm {

namespace {

constexpr const char* kSourceTag = "bukanshu";
// "搜索", percent-encoded as UTF-8: the site's submit button value.
constexpr const char* kSearchPath = "search?submit=%E6%90%9C%E7%B4%A2&searchkey=";

// A hit on the search page; the full-width title marks are code page 936
// bytes here, as the page is matched after conversion. 1 key, 3 title.
constexpr const char* kSearchPattern =
    "《<a name= '(.*?)' href= '/(.*?)/' class='bookLink' target='_blank'>(.*?)</a>》";
// A chapter link on a novel's page; the site writes no blank before
// "class". 2 chapter key, 3 title.
constexpr const char* kChapterPattern =
    "<a name='(.*?)' id='(.*?)'class='bookLink' title='(.*?)' href";

constexpr const char* kWriteFront = "document.write('";
constexpr const char* kWritelnFront = "document.writeln('";
constexpr const char* kWriteBack = "');";

}  // namespace

SourceOne::SourceOne(const SiteConfig& config, ReaderState& state)
    : siteBase_(config.siteBaseOne), textServerBase_(config.textServerBaseOne), state_(state) {}

void SourceOne::searchSourceOne() {
    const Text keyword = state_.searchText();
    // Events are processed inside the encoding; the state is read afresh after it.
    const Text encoded = percentEncode(keyword, true);
    fillNovelTableFromSearchPage(fetchPage(siteBase_ + kSearchPath + encoded));
}

void SourceOne::fillNovelTableFromSearchPage(const Text& fetchedPage) {
    const Text page = utf8ToGbk(fetchedPage);

    TextTable& novels = state_.novelTable();
    novels.clear();
    compilePattern(kSearchPattern);
    const MatchList hits = searchAll(page);
    for (const PatternMatch& hit : hits) {
        appendNovelRow(novels, subMatchText(hit, page, 3), subMatchText(hit, page, 1), kSourceTag);
    }
    processPendingEvents();
}

void SourceOne::listChaptersOne() {
    const TextTable& novels = state_.novelTable();
    const Text bookKey = novels.cell(novels.currentRow(), novel_column::kBookKey);
    fillChapterTableFromNovelPage(fetchPage(siteBase_ + bookKey));
}

void SourceOne::fillChapterTableFromNovelPage(const Text& fetchedPage) {
    const Text page = utf8ToGbk(fetchedPage);

    TextTable& chapters = state_.chapterTable();
    chapters.clear();
    compilePattern(kChapterPattern);
    const MatchList links = searchAll(page);
    for (const PatternMatch& link : links) {
        appendChapterRow(chapters, subMatchText(link, page, 3), subMatchText(link, page, 2));
    }
    // The page's last chapter link is not one of the novel's chapters.
    chapters.removeRow(chapters.rowCount() - 1);
}

void SourceOne::computeTextStoreDir() {
    const TextTable& novels = state_.novelTable();
    state_.setTextStoreDir(
        textStoreDirFor(novels.cell(novels.currentRow(), novel_column::kBookKey)));
}

void SourceOne::showChapterOne() {
    const TextTable& chapters = state_.chapterTable();
    const Text chapterKey = chapters.cell(chapters.currentRow(), chapter_column::kChapterKey);
    showChapterFile(fetchPage(textServerBase_ + state_.textStoreDir() + chapterKey + ".txt"));
}

// The file is used as code page 936 text, without conversion.
void SourceOne::showChapterFile(const Text& text) {
    const char* front = findText(text, kWriteFront, false) != -1 ? kWriteFront : kWritelnFront;
    const Text chapter = textBetween(text, front, kWriteBack);
    state_.setReadingText(replaceAll(chapter, "<br/>", "\r\n", false));
}

}  // namespace qm
