// Both novel sites behind the one interface the reader's commands call.
#pragma once

#include "sources/novel_sources.h"
#include "sources/reader_state.h"
#include "sources/site_config.h"
#include "sources/source_one.h"
#include "sources/source_two.h"

namespace qm {

class SiteSources : public NovelSources {
  public:
    SiteSources(const SiteConfig& config, ReaderState& state);

    void searchSourceOne() override;
    void listChaptersOne() override;
    void computeTextStoreDir() override;
    void showChapterOne() override;
    void searchSourceTwo() override;
    void listChaptersTwo() override;
    void showChapterTwo() override;

  private:
    SourceOne one_;
    SourceTwo two_;
};

}  // namespace qm
