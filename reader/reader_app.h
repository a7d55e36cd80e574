// The reader wired to a window: its state over the form's controls, the two
// novel sites, the reader's commands, the window's logic and the table of
// event bindings. Both the Win32 program and the headless window build it the
// same way: construct it over the form and services, then let the form raise
// its events into events().
#pragma once

#include "reader/commands.h"
#include "reader/controls_reader_state.h"
#include "reader/form.h"
#include "reader/form_bindings.h"
#include "reader/window_logic.h"
#include "sources/site_config.h"
#include "sources/site_sources.h"

namespace qm {

class ReaderApp {
  public:
    // Form and services must outlive the app.
    ReaderApp(Form& form, Services& services, const SiteConfig& config = builtInSiteConfig());
    ReaderApp(const ReaderApp&) = delete;
    ReaderApp& operator=(const ReaderApp&) = delete;

    FormEvents& events() { return bindings_; }
    FormBindings& bindings() { return bindings_; }
    ReaderState& state() { return state_; }
    ReaderCommands& commands() { return commands_; }
    WindowLogic& window() { return window_; }

  private:
    FormReaderState state_;
    SiteSources sources_;
    ReaderCommands commands_;
    WindowLogic window_;
    FormBindings bindings_;
};

// The portable steps of start-up: creates the shared pattern object and
// registers its destruction for the program's end (once per process).
void prepareSharedPattern();

}  // namespace qm
