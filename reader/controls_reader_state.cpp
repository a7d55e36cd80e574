#include "reader/controls_reader_state.h"

namespace qm {

using N = ControlName;

FormReaderState::FormReaderState(Form& form) : form_(form) {}

TextTable& FormReaderState::novelTable() {
    return form_.table(N::超级列表框小说显示);
}
TextTable& FormReaderState::chapterTable() {
    return form_.table(N::超级列表框章节);
}

Text FormReaderState::searchText() const {
    return form_.text(N::编辑框搜索);
}
void FormReaderState::setSearchText(const Text& text) {
    form_.setText(N::编辑框搜索, text);
}
bool FormReaderState::sourceOneChecked() const {
    return form_.checked(N::单选框one);
}
bool FormReaderState::sourceTwoChecked() const {
    return form_.checked(N::单选框two);
}

void FormReaderState::setChaptersLabel(const Text& text) {
    form_.setText(N::标签小说, text);
}
Text FormReaderState::chaptersLabel() const {
    return form_.text(N::标签小说);
}
void FormReaderState::setCaption(const Text& text) {
    form_.setCaption(text);
}
Text FormReaderState::caption() const {
    return form_.caption();
}
void FormReaderState::setPanelMode(int mode) {
    form_.setTrackbarPosition(mode);
}
int FormReaderState::panelMode() const {
    return form_.trackbarPosition();
}
void FormReaderState::setPanelTimer(int periodMs) {
    form_.setTimerPeriod(N::时钟1, periodMs);
}
int FormReaderState::panelTimer() const {
    return form_.timerPeriod(N::时钟1);
}

void FormReaderState::setReadingText(const Text& text) {
    form_.setText(N::编辑框1, text);
}
Text FormReaderState::readingText() const {
    return form_.text(N::编辑框1);
}
void FormReaderState::setTextStoreDir(const Text& dir) {
    form_.setText(N::编辑框2, dir);
}
Text FormReaderState::textStoreDir() const {
    return form_.text(N::编辑框2);
}

void FormReaderState::setRememberedNovel(const RememberedNovel& novel) {
    remembered_ = novel;
}
RememberedNovel FormReaderState::rememberedNovel() const {
    return remembered_;
}

}  // namespace qm
