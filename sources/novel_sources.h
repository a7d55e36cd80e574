// The operations of the two novel sites, as the reader's commands call them.
// Each reads its inputs from the ReaderState and writes its results there.
#pragma once

namespace qm {

class NovelSources {
  public:
    virtual ~NovelSources() = default;
    virtual void searchSourceOne() = 0;
    virtual void listChaptersOne() = 0;
    virtual void computeTextStoreDir() = 0;
    virtual void showChapterOne() = 0;
    virtual void searchSourceTwo() = 0;
    virtual void listChaptersTwo() = 0;
    virtual void showChapterTwo() = 0;
};

}  // namespace qm
