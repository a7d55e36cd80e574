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
    return rowCount_;
}

int MemoryTextTable::appendRow() {
    cells_.resize(cells_.size() + static_cast<std::size_t>(columns_));
    return rowCount_++;
}

void MemoryTextTable::removeRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(cellIndex(row, 0));
    cells_.erase(first, first + columns_);
    --rowCount_;
    // The selection stays with its row: it goes with a removed row and
    // moves up with a later one.
    if (current_ == row) {
        current_ = -1;
    } else if (current_ > row) {
        --current_;
    }
}

void MemoryTextTable::clear() {
    cells_.clear();
    rowCount_ = 0;
    current_ = -1;
    lastVisibleRow_ = -1;
}

bool MemoryTextTable::hasCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columns_;
}

std::size_t MemoryTextTable::cellIndex(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(column);
}

Text MemoryTextTable::cell(int row, int column) const {
    if (!hasCell(row, column)) return Text();
    return cells_[cellIndex(row, column)];
}

void MemoryTextTable::setCell(int row, int column, const Text& value) {
    if (!hasCell(row, column)) return;
    // As a control keeps it: up to the first zero byte.
    cells_[cellIndex(row, column)].assign(value, 0, value.find('\0'));
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
