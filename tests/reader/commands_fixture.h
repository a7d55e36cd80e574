// Shared by the command tests: an in-memory reader state, novel sources that
// record their calls, an event queue drained by the event pump, and recorded
// message boxes.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/memory_reader_state.h"
#include "reader/commands.h"
#include "sources/novel_sources.h"
#include "toolkit/event_pump.h"
#include "toolkit/message_box.h"
#include "toolkit/text.h"

namespace qm::testing {

// Every source call, every processing of pending events and every message box
// goes into one log, in the order it happened.
constexpr char kEvents[] = "events";
constexpr char kBox[] = "box";

// Records each call in the log, then runs the action set for it, if any. By
// default a chapter call puts "text of <chapterKey>" into the reading pane, so
// the pane tells which row the source was asked for.
class RecordingSources : public NovelSources {
  public:
    RecordingSources(ReaderState& state, std::vector<std::string>& log)
        : state_(state), log_(log) {}

    std::map<std::string, std::function<void()>> actions;

    void searchSourceOne() override { call("searchSourceOne"); }
    void listChaptersOne() override { call("listChaptersOne"); }
    void computeTextStoreDir() override { call("computeTextStoreDir"); }
    void showChapterOne() override { showChapter("showChapterOne"); }
    void searchSourceTwo() override { call("searchSourceTwo"); }
    void listChaptersTwo() override { call("listChaptersTwo"); }
    void showChapterTwo() override { showChapter("showChapterTwo"); }

  private:
    void call(const std::string& name) {
        log_.push_back(name);
        const auto found = actions.find(name);
        if (found == actions.end()) return;
        const std::function<void()> action = found->second;  // may replace itself
        action();
    }
    void showChapter(const std::string& name) {
        TextTable& chapters = state_.chapterTable();
        state_.setReadingText("text of " +
                              chapters.cell(chapters.currentRow(), chapter_column::kChapterKey));
        call(name);
    }

    ReaderState& state_;
    std::vector<std::string>& log_;
};

struct NovelRow {
    Text title;
    Text bookKey;
    Text tag;
};

class CommandsTest : public ::testing::Test {
  protected:
    CommandsTest() {
        setEventPump([this] {
            log.push_back(kEvents);
            if (onEvents) onEvents();
            while (!pending.empty()) {
                const std::function<void()> work = std::move(pending.front());
                pending.pop_front();
                work();
            }
        });
        setMessageHandler([this](const Text& text, const Text& title, int flags) {
            log.push_back(kBox);
            boxes.push_back({text, title, flags});
        });
    }
    ~CommandsTest() override {
        setEventPump(nullptr);
        setMessageHandler(nullptr);
    }

    void fillNovels(const std::vector<NovelRow>& rows) {
        TextTable& novels = state.novelTable();
        novels.clear();
        for (const NovelRow& novel : rows) {
            const int row = novels.appendRow();
            novels.setCell(row, novel_column::kNumber, numberToText(row + 1));
            novels.setCell(row, novel_column::kTitle, novel.title);
            novels.setCell(row, novel_column::kBookKey, novel.bookKey);
            novels.setCell(row, novel_column::kSourceTag, novel.tag);
        }
    }
    // Chapter i (from 0) has the title "第<i+1>章" and the key "c<i>".
    void fillChapters(int count) {
        TextTable& chapters = state.chapterTable();
        chapters.clear();
        for (int i = 0; i < count; ++i) {
            const int row = chapters.appendRow();
            chapters.setCell(row, chapter_column::kNumber, numberToText(row + 1));
            chapters.setCell(row, chapter_column::kTitle, chapterTitle(i));
            chapters.setCell(row, chapter_column::kChapterKey, chapterKey(i));
        }
    }
    // Appended rather than literal + Text: MinGW's GCC 12 warns falsely
    // (-Wrestrict) about the inlined operator+ of a literal and a temporary.
    static Text chapterTitle(int row) {
        Text title = "第";
        title += numberToText(row + 1);
        title += "章";
        return title;
    }
    static Text chapterKey(int row) {
        Text key = "c";
        key += numberToText(row);
        return key;
    }

    // A novel of source ONE opened, its chapters listed.
    void openNovelOfSourceOne(int chapterCount) {
        fillNovels({{"书一", "b1", "bukanshu"}});
        state.novelTable().setCurrentRow(0);
        sources.actions["listChaptersOne"] = [this, chapterCount] { fillChapters(chapterCount); };
        commands.openNovel();
        sources.actions.erase("listChaptersOne");
        log.clear();
    }

    MemoryReaderState state;
    std::vector<std::string> log;
    std::vector<ShownMessage> boxes;
    std::deque<std::function<void()>> pending;  // input that arrives meanwhile
    std::function<void()> onEvents;             // runs at each processing, first
    RecordingSources sources{state, log};
    ReaderCommands commands{state, sources};
};

}  // namespace qm::testing
