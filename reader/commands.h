// The reader's commands: search, open a novel, open a chapter, and step to the
// next or previous chapter. Each public handler is bound to one window event;
// each reads the ReaderState when it runs and calls the novel sources without
// arguments.
//
// Pending window events are processed at fixed points inside these commands,
// so other handlers (a second key press, a click, a timer tick) may run nested
// in them and change the state. The commands therefore keep no reference,
// iterator or row index across those points: they read the state afresh.
#pragma once

#include <functional>

#include "sources/novel_sources.h"
#include "sources/reader_state.h"
#include "toolkit/text.h"

namespace qm {

class ReaderCommands {
  public:
    // Both must outlive the commands.
    ReaderCommands(ReaderState& state, NovelSources& sources);

    // Click on the search button: the placeholder guard, then the search.
    void searchCommand();
    // Key pressed in the search box: Enter (with any modifiers) searches.
    void searchBoxKeys(int keyCode, int modifiers);
    // Click on the novel list: lists the selected novel's chapters.
    void openNovel();
    // Click on the chapter list: shows the selected chapter.
    void openChapter();
    // Key pressed in the chapter list: Down next, Up previous chapter.
    void chapterListKeys(int keyCode, int modifiers);
    // Key pressed in the reading pane: Right next, Left previous chapter;
    // Q and W go to the colour-picking keys.
    void readingPaneKeys(int keyCode, int modifiers);
    // Menu items "上一章" and "下一章".
    void previousChapterCommand();
    void nextChapterCommand();

    // The steps the handlers share.
    void searchBySelectedSource();
    void showCurrentChapter(const Text& sourceTag);
    void nextChapter();
    void previousChapter();
    void showChapterCaption();

    // Q and W in the reading pane start and stop picking the pane's colour
    // from the screen; that command lives elsewhere and is plugged in here.
    // Pending events are processed after it, as after the arrow keys.
    using ColourPickingKeys = std::function<void(int keyCode)>;
    void setColourPickingKeys(ColourPickingKeys handler);

    // The window's step that shows the left panel's face for the trackbar's
    // position; the panel timer's tick runs it too. openNovel runs it once
    // more when it stops the timer, for a listing that ended before the
    // timer's first tick.
    using PanelModeStep = std::function<void()>;
    void setPanelModeStep(PanelModeStep step);

  private:
    // The tag of the novel whose chapters are listed: the one remembered by
    // openNovel, or before any, the tag of the current novel row.
    Text openNovelTag() const;
    Text currentChapterKey() const;

    ReaderState& state_;
    NovelSources& sources_;
    ColourPickingKeys colourPickingKeys_;
    PanelModeStep panelModeStep_;
};

// Source routing: exactly "bukanshu" means source ONE, anything else TWO.
bool isSourceOneTag(const Text& sourceTag);

}  // namespace qm
