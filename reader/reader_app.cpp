#include "reader/reader_app.h"

#include <cstdlib>

#include "toolkit/pattern.h"

namespace qm {

ReaderApp::ReaderApp(Form& form, Services& services, const SiteConfig& config)
    : state_(form),
      sources_(config, state_),
      commands_(state_, sources_),
      window_(form, services),
      bindings_(window_, commands_) {}

namespace {

void destroySharedPatternAtExit() {
    destroySharedPattern();
}

}  // namespace

void prepareSharedPattern() {
    createSharedPattern();
    static const bool registered = std::atexit(destroySharedPatternAtExit) == 0;
    (void)registered;
}

}  // namespace qm
