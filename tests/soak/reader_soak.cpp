// The reader read for a long while: the headless window, the real sources and
// the demo site, chapter after chapter with the Right key in the reading
// pane, through a long novel of each site and over again, while the resident
// memory is sampled. After the warm-up it must stay flat: no sample more than
// 5 % above the one at the end of the warm-up.
//   qm-reader-soak --demo-port N [--chapters 10000] [--warm-up 1000] [--every 500]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/headless_form.h"
#include "platform/headless/headless_services.h"
#include "reader/form_description.h"
#include "reader/reader_app.h"

namespace {

using qm::ControlName;
using qm::Text;

constexpr int kRight = 39;

std::size_t residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stoull(line.substr(6));
    }
    return 0;
}

struct Novel {
    ControlName source;
    Text keyword;
    int chapters;
};

// The longest novel of each demo site.
const Novel kNovels[] = {{ControlName::单选框one, "雾港", 480},
                         {ControlName::单选框two, "Keeper", 420}};

class Soak {
  public:
    explicit Soak(int demoPort)
        : base_("http://127.0.0.1:" + std::to_string(demoPort) + "/"),
          app_(form_, services_,
               qm::SiteConfig{base_ + "one/", base_ + "one-text/novel/", base_ + "two/"}) {
        qm::prepareSharedPattern();
        form_.create(app_.events());
    }

    // Opens the novel at its first chapter; false when the site does not list it.
    bool open(const Novel& novel) {
        form_.click(novel.source);
        form_.click(ControlName::编辑框搜索);
        form_.setText(ControlName::编辑框搜索, novel.keyword);
        form_.click(ControlName::按钮搜索);
        if (app_.state().novelTable().rowCount() != 1) return false;
        form_.clickRow(ControlName::超级列表框小说显示, 0);
        if (app_.state().chapterTable().rowCount() != novel.chapters) return false;
        form_.clickRow(ControlName::超级列表框章节, 0);
        return shownWell();
    }

    // The next chapter; false on the last one (or when one is not shown).
    bool next() {
        const int before = app_.state().chapterTable().currentRow();
        form_.pressKey(ControlName::编辑框1, kRight);
        return app_.state().chapterTable().currentRow() == before + 1 && shownWell();
    }

    // The test's own records grow with every step: the window's change log.
    void forgetRecords() { form_.clearChanges(); }

  private:
    // The chapter's title in the caption, and a text in the pane that is
    // not the previous chapter's.
    bool shownWell() {
        const qm::TextTable& chapters = app_.state().chapterTable();
        const Text text = form_.text(ControlName::编辑框1);
        const bool fresh = !text.empty() && text != previousText_;
        previousText_ = text;
        return fresh && form_.caption() == chapters.cell(chapters.currentRow(), 1);
    }

    Text base_;
    Text previousText_;
    qm::HeadlessForm form_;
    qm::HeadlessServices services_{form_};
    qm::ReaderApp app_;
};

int argument(int argc, char** argv, const std::string& name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] == name) return std::atoi(argv[i + 1]);
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const int port = argument(argc, argv, "--demo-port", 0);
    const int total = argument(argc, argv, "--chapters", 10'000);
    const int warmUp = argument(argc, argv, "--warm-up", 1'000);
    const int every = argument(argc, argv, "--every", 500);
    if (port <= 0 || every <= 0 || warmUp < 0 || warmUp > total) {
        std::fprintf(stderr,
                     "usage: qm-reader-soak --demo-port N [--chapters 10000] "
                     "[--warm-up 1000] [--every 500]\n");
        return 2;
    }

    Soak soak(port);
    std::vector<std::pair<int, std::size_t>> samples;  // chapters read, KiB
    int read = 0;
    for (int pass = 0; read < total; ++pass) {
        const Novel& novel = kNovels[pass % 2];
        if (!soak.open(novel)) {
            std::fprintf(stderr, "soak: %s did not open as expected\n", novel.keyword.c_str());
            return 1;
        }
        for (bool more = true; more && read < total;) {
            ++read;
            if (read % every == 0) {
                soak.forgetRecords();
                samples.emplace_back(read, residentKiB());
                std::printf("soak: %6d chapters, resident %7zu KiB\n", read, samples.back().second);
                std::fflush(stdout);
            }
            more = soak.next();
        }
    }

    std::size_t atWarmUp = 0;
    std::size_t highest = 0;
    for (const auto& [chapters, kib] : samples) {
        if (chapters == warmUp || (atWarmUp == 0 && chapters > warmUp)) atWarmUp = kib;
        if (chapters >= warmUp && kib > highest) highest = kib;
    }
    const double growth =
        atWarmUp > 0 ? 100.0 * (static_cast<double>(highest) - static_cast<double>(atWarmUp)) /
                           static_cast<double>(atWarmUp)
                     : 0.0;
    std::printf("soak: %d chapters; after the warm-up of %d: %zu KiB, highest %zu KiB (%+.1f %%)\n",
                read, warmUp, atWarmUp, highest, growth);
    if (growth > 5.0) {
        std::printf("soak: FAILED, resident memory grew by more than 5 %%\n");
        return 1;
    }
    std::printf("soak: passed, resident memory flat\n");
    return 0;
}
