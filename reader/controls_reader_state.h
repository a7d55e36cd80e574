// The reader's state as the window's controls hold it: the two lists, the
// search box, the source radio buttons, the chapters label, the caption, the
// trackbar, the panel timer, the reading pane and the hidden 编辑框2.
#pragma once

#include "reader/form.h"
#include "sources/reader_state.h"

namespace qm {

class FormReaderState : public ReaderState {
  public:
    // The form must outlive the state.
    explicit FormReaderState(Form& form);

    TextTable& novelTable() override;
    TextTable& chapterTable() override;

    Text searchText() const override;
    void setSearchText(const Text& text) override;
    bool sourceOneChecked() const override;
    bool sourceTwoChecked() const override;

    void setChaptersLabel(const Text& text) override;
    Text chaptersLabel() const override;
    void setCaption(const Text& text) override;
    Text caption() const override;
    void setPanelMode(int mode) override;
    int panelMode() const override;
    void setPanelTimer(int periodMs) override;
    int panelTimer() const override;

    void setReadingText(const Text& text) override;
    Text readingText() const override;
    void setTextStoreDir(const Text& dir) override;
    Text textStoreDir() const override;

    // No control holds it: the state keeps it itself.
    void setRememberedNovel(const RememberedNovel& novel) override;
    RememberedNovel rememberedNovel() const override;

  private:
    Form& form_;
    RememberedNovel remembered_;
};

}  // namespace qm
