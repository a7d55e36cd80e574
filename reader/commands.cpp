#include "reader/commands.h"

#include <utility>

#include "toolkit/event_pump.h"
#include "toolkit/message_box.h"

namespace qm {

namespace {

constexpr int kEnterKey = 13;
constexpr int kLeftKey = 37;
constexpr int kUpKey = 38;
constexpr int kRightKey = 39;
constexpr int kDownKey = 40;
constexpr int kQKey = 81;
constexpr int kWKey = 87;

constexpr int kChaptersMode = 2;            // trackbar position of the chapter list
constexpr int kChapterListingTimerMs = 10;  // panel timer while chapters are listed

constexpr char kSourceOneTag[] = "bukanshu";
constexpr char kSearchPlaceholder[] = "输入搜索内容";

constexpr char kHintTitle[] = "提示";
constexpr char kSearchHintTitle[] = "搜索提示！";
constexpr char kEnterKeywordMessage[] = "请输入搜索关键字!!";
constexpr char kSelectNovelMessage[] = "请选中小说!";
constexpr char kNoNovelMessage[] = "当前无小说，请搜索后再查看!";
constexpr char kLastChapterMessage[] = "这是最后一章了!";

}  // namespace

bool isSourceOneTag(const Text& sourceTag) {
    return sourceTag == kSourceOneTag;
}

ReaderCommands::ReaderCommands(ReaderState& state, NovelSources& sources)
    : state_(state), sources_(sources) {}

void ReaderCommands::setColourPickingKeys(ColourPickingKeys handler) {
    colourPickingKeys_ = std::move(handler);
}

void ReaderCommands::setPanelModeStep(PanelModeStep step) {
    panelModeStep_ = std::move(step);
}

void ReaderCommands::searchCommand() {
    if (state_.searchText() == kSearchPlaceholder) {
        showMessage(kEnterKeywordMessage, kSearchHintTitle, kIconStop);
        return;
    }
    searchBySelectedSource();
}

void ReaderCommands::searchBoxKeys(int keyCode, int /*modifiers*/) {
    // No placeholder check: the box never shows it while it has the focus.
    if (keyCode == kEnterKey) searchBySelectedSource();
}

void ReaderCommands::searchBySelectedSource() {
    if (state_.sourceOneChecked()) {
        sources_.searchSourceOne();
    } else if (state_.sourceTwoChecked()) {
        sources_.searchSourceTwo();
    }
}

void ReaderCommands::openNovel() {
    const int row = state_.novelTable().currentRow();
    const Text tag = state_.novelTable().cell(row, novel_column::kSourceTag);
    const Text bookKey = state_.novelTable().cell(row, novel_column::kBookKey);
    const Text title = state_.novelTable().cell(row, novel_column::kTitle);
    if (bookKey.empty()) {
        showMessage(kSelectNovelMessage, kHintTitle, kIconStop);
        return;
    }
    // Later chapter commands read the novel from here, not from the novel
    // list, whose selection a new search or a click on empty space clears.
    state_.setRememberedNovel({true, tag, bookKey});

    state_.setChaptersLabel("小说: " + title + " 的全部章节");
    // Setting the trackbar raises no event; the panel timer's tick applies
    // the mode while the events are processed below.
    state_.setPanelMode(kChaptersMode);
    state_.setPanelTimer(kChapterListingTimerMs);
    if (isSourceOneTag(tag)) {
        sources_.listChaptersOne();
        sources_.computeTextStoreDir();
    } else {
        sources_.listChaptersTwo();
    }
    processPendingEvents();
    state_.setPanelTimer(0);
    // A listing that took less than the timer's period leaves no tick to
    // come, and the panel would stay in search mode: apply the mode here too.
    if (panelModeStep_) {
        const PanelModeStep step = panelModeStep_;  // the step may replace it
        step();
    }
    // Read again: handlers run above may have changed the selection.
    state_.novelTable().makeRowVisible(state_.novelTable().currentRow());
    processPendingEvents();
}

void ReaderCommands::openChapter() {
    const Text tag = openNovelTag();
    if (currentChapterKey().empty()) {
        showMessage(kSelectNovelMessage, kHintTitle, kIconStop);
        return;
    }
    showCurrentChapter(tag);
}

void ReaderCommands::showCurrentChapter(const Text& sourceTag) {
    if (isSourceOneTag(sourceTag)) {
        sources_.showChapterOne();
    } else {
        sources_.showChapterTwo();
    }
    showChapterCaption();
    processPendingEvents();
}

void ReaderCommands::showChapterCaption() {
    TextTable& chapters = state_.chapterTable();
    state_.setCaption(chapters.cell(chapters.currentRow(), chapter_column::kTitle));
}

void ReaderCommands::nextChapter() {
    const Text tag = openNovelTag();
    {
        TextTable& chapters = state_.chapterTable();
        const int target = chapters.currentRow() + 1;
        chapters.setCurrentRow(target);  // past the last row nothing changes
        chapters.makeRowVisible(target);
    }
    // Decided before the chapter is shown: handlers nested in showing it may
    // move the selection, and the notice answers this step.
    const bool onLastChapter =
        state_.chapterTable().currentRow() == state_.chapterTable().rowCount() - 1;
    showCurrentChapter(tag);
    if (onLastChapter) showMessage(kLastChapterMessage, kHintTitle, kIconInformation);
}

void ReaderCommands::previousChapter() {
    const Text tag = openNovelTag();
    {
        TextTable& chapters = state_.chapterTable();
        const int target = chapters.currentRow() - 1;
        chapters.setCurrentRow(target);  // -1 and below leave no row selected
        chapters.makeRowVisible(target);
    }
    showCurrentChapter(tag);
}

void ReaderCommands::previousChapterCommand() {
    if (currentChapterKey().empty()) {
        showMessage(kNoNovelMessage, kHintTitle, kIconStop);
        return;
    }
    previousChapter();
    processPendingEvents();
}

void ReaderCommands::nextChapterCommand() {
    if (currentChapterKey().empty()) {
        showMessage(kNoNovelMessage, kHintTitle, kIconStop);
        return;
    }
    nextChapter();
    processPendingEvents();
}

void ReaderCommands::chapterListKeys(int keyCode, int /*modifiers*/) {
    // The key is not consumed: the list then moves its selection one row
    // further itself, from the row selected here.
    if (keyCode == kDownKey) {
        nextChapter();
    } else if (keyCode == kUpKey) {
        previousChapter();
    } else {
        return;
    }
    processPendingEvents();
}

void ReaderCommands::readingPaneKeys(int keyCode, int /*modifiers*/) {
    switch (keyCode) {
        case kRightKey:
            nextChapter();
            break;
        case kLeftKey:
            previousChapter();
            break;
        case kQKey:
        case kWKey:
            if (colourPickingKeys_) {
                // A copy: the handler may replace itself while it runs.
                const ColourPickingKeys handler = colourPickingKeys_;
                handler(keyCode);
            }
            break;
        default:
            return;
    }
    processPendingEvents();
}

Text ReaderCommands::openNovelTag() const {
    const RememberedNovel novel = state_.rememberedNovel();
    if (novel.known) return novel.sourceTag;
    TextTable& novels = state_.novelTable();
    return novels.cell(novels.currentRow(), novel_column::kSourceTag);
}

Text ReaderCommands::currentChapterKey() const {
    TextTable& chapters = state_.chapterTable();
    return chapters.cell(chapters.currentRow(), chapter_column::kChapterKey);
}

}  // namespace qm
