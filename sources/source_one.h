// Source ONE: a novel site with UTF-8 pages and a separate text server that
// holds one code page 936 file per chapter. Every operation reads its inputs
// from the reader's state when it runs and writes its results back there.
#pragma once

#include "sources/reader_state.h"
#include "sources/site_config.h"

namespace qm {

class SourceOne {
  public:
    SourceOne(const SiteConfig& config, ReaderState& state);

    // NovelTable refilled with the hits for the search text, tagged "bukanshu".
    void searchSourceOne();
    // ChapterTable refilled from the current novel's page, less its last link.
    void listChaptersOne();
    // TextStoreDir set to the current novel's directory on the text server.
    void computeTextStoreDir();
    // The reading pane set to the current chapter's text.
    void showChapterOne();

    // What each operation does with its page once fetched, the page as the
    // site sent it (UTF-8 for the two site pages, code page 936 for a
    // chapter file).
    void fillNovelTableFromSearchPage(const Text& fetchedPage);
    void fillChapterTableFromNovelPage(const Text& fetchedPage);
    void showChapterFile(const Text& text);

  private:
    Text siteBase_;
    Text textServerBase_;
    ReaderState& state_;
};

// The directory, on the text server, of the novel with this key ("2/234/").
Text textStoreDirFor(const Text& bookKey);

}  // namespace qm
