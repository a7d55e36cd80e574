// Shared by the window tests: the headless window wired to the window's logic
// and the reader's commands as the program wires them, with novel sources
// that only record their calls (no network).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/headless/headless_form.h"
#include "platform/headless/headless_services.h"
#include "reader/commands.h"
#include "reader/controls_reader_state.h"
#include "reader/form_bindings.h"
#include "reader/form_description.h"
#include "reader/window_logic.h"
#include "sources/novel_sources.h"

namespace qm::testing {

using N = ControlName;

class CallLog : public NovelSources {
  public:
    std::vector<std::string> calls;
    void searchSourceOne() override { calls.push_back("searchSourceOne"); }
    void listChaptersOne() override { calls.push_back("listChaptersOne"); }
    void computeTextStoreDir() override { calls.push_back("computeTextStoreDir"); }
    void showChapterOne() override { calls.push_back("showChapterOne"); }
    void searchSourceTwo() override { calls.push_back("searchSourceTwo"); }
    void listChaptersTwo() override { calls.push_back("listChaptersTwo"); }
    void showChapterTwo() override { calls.push_back("showChapterTwo"); }
};

// The headless window wired as the program wires it. One at a time: each
// headless window installs its own event pump and message recorder.
struct WiredWindow {
    HeadlessForm form;
    HeadlessServices services{form};
    FormReaderState state{form};
    CallLog sources;
    ReaderCommands commands{state, sources};
    WindowLogic logic{form, services};
    FormBindings bindings{logic, commands};

    void create() { form.create(bindings); }

    // The entries of the change log from index `from` on that start with
    // the prefix.
    std::vector<Text> changesStartingWith(const Text& prefix, std::size_t from = 0) const {
        std::vector<Text> found;
        const auto& all = form.changes();
        for (std::size_t i = from; i < all.size(); ++i) {
            if (all[i].rfind(prefix, 0) == 0) found.push_back(all[i]);
        }
        return found;
    }

    std::size_t indexOf(const Text& entry) const {
        const auto& all = form.changes();
        return static_cast<std::size_t>(std::find(all.begin(), all.end(), entry) - all.begin());
    }

    // The controls that can be seen, in the form's order.
    std::vector<ControlName> visibleControls() const {
        std::vector<ControlName> seen;
        for (const ControlSpec& described : formControls()) {
            if (form.visible(described.name)) seen.push_back(described.name);
        }
        return seen;
    }
};

// The window before creation; create() raises its first events.
class UncreatedWindow : public ::testing::Test, protected WiredWindow {};

// The window as the user first sees it; the change log starts empty.
class Window : public UncreatedWindow {
  protected:
    void SetUp() override {
        create();
        form.clearChanges();
    }
};

}  // namespace qm::testing
