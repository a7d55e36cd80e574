// Source TWO: a novel site whose pages are all code page 936 HTML, used as
// fetched. Every operation reads its inputs from the reader's state when it
// runs and writes its results back there.
#pragma once

#include "sources/reader_state.h"
#include "sources/site_config.h"

namespace qm {

class SourceTwo {
  public:
    SourceTwo(const SiteConfig& config, ReaderState& state);

    // NovelTable refilled with the hits for the search text, tagged "ranwen".
    void searchSourceTwo();
    // ChapterTable refilled from the current novel's chapter index.
    void listChaptersTwo();
    // The reading pane set to the current chapter's text, unless the page
    // is refused.
    void showChapterTwo();

    // What each operation does with its page once fetched, the page as the
    // site sent it.
    void fillNovelTableFromSearchPage(const Text& page);
    void fillChapterTableFromIndexPage(const Text& page);
    void showChapterPage(const Text& page);

  private:
    Text openBookKey() const;

    Text siteBase_;
    ReaderState& state_;
};

}  // namespace qm
