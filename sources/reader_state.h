// The items of the window that the reader's commands and the novel sources
// read and write. The window realises it over its controls; tests use an
// in-memory one. Setting a value raises no event.
#pragma once

#include "toolkit/text.h"

namespace qm {

// A table of text cells with at most one current (selected) row.
//  - Rows count from 0. Cells never written read as empty.
//  - A cell of a missing row (-1 included) or column reads as empty; writing
//    one does nothing.
//  - appendRow adds an empty row after the last and gives its index.
//  - removeRow moves later rows up; a missing row does nothing.
//  - clear removes every row and leaves no row current.
//  - setCurrentRow(v): 0 <= v < rowCount selects v (and gives it the focus);
//    v >= rowCount changes nothing; v <= -1 leaves no row selected.
//  - makeRowVisible scrolls row r wholly into view; a missing row does nothing.
class TextTable {
  public:
    virtual ~TextTable() = default;
    virtual int columnCount() const = 0;
    virtual int rowCount() const = 0;
    virtual int appendRow() = 0;
    virtual void removeRow(int row) = 0;
    virtual void clear() = 0;
    virtual Text cell(int row, int column) const = 0;
    virtual void setCell(int row, int column, const Text& value) = 0;
    virtual int currentRow() const = 0;
    virtual void setCurrentRow(int row) = 0;
    virtual void makeRowVisible(int row) = 0;
};

// Columns of the two tables.
namespace novel_column {
constexpr int kNumber = 0, kTitle = 1, kBookKey = 2, kSourceTag = 3;
}
namespace chapter_column {
constexpr int kNumber = 0, kTitle = 1, kChapterKey = 2;
}

// The novel whose chapters are listed: remembered when it is opened, so the
// chapter commands keep reading it after a new search has cleared the
// selection of the novel list.
struct RememberedNovel {
    bool known = false;
    Text sourceTag;
    Text bookKey;
};

class ReaderState {
  public:
    virtual ~ReaderState() = default;

    virtual TextTable& novelTable() = 0;    // 4 columns
    virtual TextTable& chapterTable() = 0;  // 3 columns

    virtual Text searchText() const = 0;
    virtual void setSearchText(const Text& text) = 0;
    virtual bool sourceOneChecked() const = 0;
    virtual bool sourceTwoChecked() const = 0;

    virtual void setChaptersLabel(const Text& text) = 0;
    virtual Text chaptersLabel() const = 0;
    virtual void setCaption(const Text& text) = 0;
    virtual Text caption() const = 0;
    virtual void setPanelMode(int mode) = 0;  // trackbar position: 1 search, 2 chapters
    virtual int panelMode() const = 0;
    virtual void setPanelTimer(int periodMs) = 0;  // 0 stops it
    virtual int panelTimer() const = 0;

    virtual void setReadingText(const Text& text) = 0;
    virtual Text readingText() const = 0;
    virtual void setTextStoreDir(const Text& dir) = 0;
    virtual Text textStoreDir() const = 0;

    virtual void setRememberedNovel(const RememberedNovel& novel) = 0;
    virtual RememberedNovel rememberedNovel() const = 0;
};

}  // namespace qm
