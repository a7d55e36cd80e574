#include "sources/table_rows.h"

namespace qm {

void appendNovelRow(TextTable& novels, const Text& title, const Text& bookKey,
                    const Text& sourceTag) {
    const int row = novels.appendRow();
    novels.setCell(row, novel_column::kNumber, numberToText(row + 1));
    novels.setCell(row, novel_column::kTitle, title);
    novels.setCell(row, novel_column::kBookKey, bookKey);
    novels.setCell(row, novel_column::kSourceTag, sourceTag);
}

void appendChapterRow(TextTable& chapters, const Text& title, const Text& chapterKey) {
    const int row = chapters.appendRow();
    chapters.setCell(row, chapter_column::kNumber, numberToText(row + 1));
    chapters.setCell(row, chapter_column::kTitle, title);
    chapters.setCell(row, chapter_column::kChapterKey, chapterKey);
}

}  // namespace qm
