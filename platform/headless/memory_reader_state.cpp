#include "platform/headless/memory_reader_state.h"

#include <cstddef>

namespace qm {

namespace {

// A control keeps a text up to its first zero byte.
Text asControlText(const Text& text) {
    const std::size_t zero = text.find('\0');
    return zero == Text::npos ? text : text.substr(0, zero);
}

}  // namespace

MemoryTextTable::MemoryTextTable(int columns) : columns_(columns < 0 ? 0 : columns) {}

int MemoryTextTable::columnCount() const {
    return columns_;
}

int MemoryTextTable::rowCount() const {
    return static_cast<int>(rows_.size());
}

int MemoryTextTable::appendRow() {
    rows_.emplace_back(static_cast<std::size_t>(columns_));
    return rowCount() - 1;
}

void MemoryTextTable::removeRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    rows_.erase(rows_.begin() + row);
    // The selection stays with its row: it goes with a removed row and
    // moves up with a later one.
    if (current_ == row) {
        current_ = -1;
    } else if (current_ > row) {
        --current_;
    }
}

void MemoryTextTable::clear() {
    rows_.clear();
    current_ = -1;
    lastVisibleRow_ = -1;
}

bool MemoryTextTable::hasCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columns_;
}

Text MemoryTextTable::cell(int row, int column) const {
    if (!hasCell(row, column)) return Text();
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MemoryTextTable::setCell(int row, int column, const Text& value) {
    if (!hasCell(row, column)) return;
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = asControlText(value);
}

int MemoryTextTable::currentRow() const {
    return current_;
}

void MemoryTextTable::setCurrentRow(int row) {
    if (row >= rowCount()) return;
    current_ = row < 0 ? -1 : row;
}

void MemoryTextTable::makeRowVisible(int row) {
    ++makeRowVisibleCalls_;
    if (row < 0 || row >= rowCount()) return;
    lastVisibleRow_ = row;
}

MemoryReaderState::MemoryReaderState() : novels_(4), chapters_(3) {}

void MemoryReaderState::setSearchText(const Text& text) {
    searchText_ = asControlText(text);
}

void MemoryReaderState::setChaptersLabel(const Text& text) {
    chaptersLabel_ = asControlText(text);
}

void MemoryReaderState::setCaption(const Text& text) {
    caption_ = asControlText(text);
}

void MemoryReaderState::setReadingText(const Text& text) {
    readingText_ = asControlText(text);
}

void MemoryReaderState::setTextStoreDir(const Text& dir) {
    textStoreDir_ = asControlText(dir);
}

void MemoryReaderState::setRememberedNovel(const RememberedNovel& novel) {
    remembered_ = {novel.known, asControlText(novel.sourceTag), asControlText(novel.bookKey)};
}

}  // namespace qm
