// The rows the sources append to NovelTable and ChapterTable: numbered from 1
// in the order the page gives them.
#pragma once

#include "sources/reader_state.h"
#include "toolkit/text.h"

namespace qm {

void appendNovelRow(TextTable& novels, const Text& title, const Text& bookKey,
                    const Text& sourceTag);
void appendChapterRow(TextTable& chapters, const Text& title, const Text& chapterKey);

}  // namespace qm
