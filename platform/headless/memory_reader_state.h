// The reader's state held in memory, for running the sources and the reader's
// commands without a window. It behaves as the window's controls do: a value
// set here raises nothing, and a text ends at its first zero byte, as it
// would in an edit box or a list cell.
#pragma once

#include <cstddef>
#include <vector>

#include "sources/reader_state.h"

namespace qm {

class MemoryTextTable : public TextTable {
  public:
    explicit MemoryTextTable(int columns);

    int columnCount() const override;
    int rowCount() const override;
    int appendRow() override;
    void removeRow(int row) override;
    void clear() override;
    Text cell(int row, int column) const override;
    void setCell(int row, int column, const Text& value) override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    void makeRowVisible(int row) override;

    // For tests: the row last scrolled into view (-1 before any, and after
    // clear), and how often makeRowVisible was asked, missing rows included.
    int lastVisibleRow() const { return lastVisibleRow_; }
    int makeRowVisibleCalls() const { return makeRowVisibleCalls_; }

  private:
    bool hasCell(int row, int column) const;
    std::size_t cellIndex(int row, int column) const;

    int columns_;
    int rowCount_ = 0;
    std::vector<Text> cells_;  // row after row, columns_ cells each
    int current_ = -1;
    int lastVisibleRow_ = -1;
    int makeRowVisibleCalls_ = 0;
};

// Starts as the window does: both tables empty with no current row, "ONE"
// checked, panel mode 1, panel timer stopped, every text empty.
class MemoryReaderState : public ReaderState {
  public:
    MemoryReaderState();

    TextTable& novelTable() override { return novels_; }
    TextTable& chapterTable() override { return chapters_; }
    // The same tables with their test counters.
    MemoryTextTable& novels() { return novels_; }
    MemoryTextTable& chapters() { return chapters_; }

    Text searchText() const override { return searchText_; }
    void setSearchText(const Text& text) override;
    bool sourceOneChecked() const override { return sourceOne_; }
    bool sourceTwoChecked() const override { return sourceTwo_; }
    // For tests: the radio buttons, set independently so that "neither
    // checked" can be arranged.
    void setSourceOneChecked(bool checked) { sourceOne_ = checked; }
    void setSourceTwoChecked(bool checked) { sourceTwo_ = checked; }

    void setChaptersLabel(const Text& text) override;
    Text chaptersLabel() const override { return chaptersLabel_; }
    void setCaption(const Text& text) override;
    Text caption() const override { return caption_; }
    void setPanelMode(int mode) override { panelMode_ = mode; }
    int panelMode() const override { return panelMode_; }
    void setPanelTimer(int periodMs) override { panelTimer_ = periodMs; }
    int panelTimer() const override { return panelTimer_; }

    void setReadingText(const Text& text) override;
    Text readingText() const override { return readingText_; }
    void setTextStoreDir(const Text& dir) override;
    Text textStoreDir() const override { return textStoreDir_; }

    void setRememberedNovel(const RememberedNovel& novel) override;
    RememberedNovel rememberedNovel() const override { return remembered_; }

  private:
    MemoryTextTable novels_;
    MemoryTextTable chapters_;
    Text searchText_;
    bool sourceOne_ = true;
    bool sourceTwo_ = false;
    Text chaptersLabel_;
    Text caption_;
    int panelMode_ = 1;
    int panelTimer_ = 0;
    Text readingText_;
    Text textStoreDir_;
    RememberedNovel remembered_;
};

}  // namespace qm
