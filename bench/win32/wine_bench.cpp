// The window's figures, measured under Wine:
//   qm-wine-bench list REPS
//       10,000 rows into the real novel list, through the reader's state, up
//       to the list's repaint.
//   qm-wine-bench start REPS QUILLMERE_EXE MINIMAL_EXE SYSTEM_EXE
//       each program's start to its window shown, taken in turns after one
//       unmeasured start of each (a warm Wine).
//   qm-wine-bench step REPS DEMO_PORT
//       one chapter step on the demo site: the Right or Left key pressed in
//       the reading pane to the caption of the chapter it shows.
// Prints each sample, then "result NAME MEDIAN UNIT" for each figure.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/message_pump.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_services.h"
#include "reader/reader_app.h"
#include "sources/site_config.h"
#include "toolkit/event_pump.h"
#include "toolkit/fetch.h"
#include "toolkit/message_box.h"
#include "toolkit/text.h"

namespace qm::win32::bench {

namespace {

double nowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t mid = samples.size() / 2;
    return samples.size() % 2 != 0 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}

void report(const char* name, const std::vector<double>& samples, const char* unit) {
    std::printf("result %s %.3f %s\n", name, median(samples), unit);
    std::fflush(stdout);
}

void pumpFor(int ms) {
    const double end = nowMs() + ms;
    do {
        pumpPendingMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (nowMs() < end);
    pumpPendingMessages();
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const double end = nowMs() + timeoutMs;
    for (;;) {
        pumpPendingMessages();
        if (condition()) return true;
        if (nowMs() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// The main window with the reader wired in, as quillmere.exe builds it; the
// message boxes are swallowed, as nobody is there to close them.
class Window {
  public:
    explicit Window(const SiteConfig& config)
        : form_(GetModuleHandleW(nullptr), false),
          services_(form_),
          app_(form_, services_, config) {
        installMessagePump();
        setMessageHandler([](const Text&, const Text&, int) {});
        opened_ = form_.open(app_.events());
        pumpFor(100);
    }
    ~Window() {
        setEventPump(nullptr);
        setMessageHandler(nullptr);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    bool opened() const { return opened_; }
    Win32Form& form() { return form_; }
    ReaderApp& app() { return app_; }

  private:
    Win32Form form_;
    Win32Services services_;
    ReaderApp app_;
    bool opened_ = false;
};

int measureListFill(int reps) {
    Window window(builtInSiteConfig());
    if (!window.opened()) return 1;
    TextTable& novels = window.app().state().novelTable();
    HWND list = window.form().controlHandle(ControlName::超级列表框小说显示);
    constexpr int kRows = 10000;
    std::vector<Text> titles;
    std::vector<Text> keys;
    for (int i = 0; i < kRows; ++i) {
        titles.push_back("第" + std::to_string(i + 1) + "部 长卷抄书人续篇");
        keys.push_back(std::to_string(100000 + i * 7));
    }
    std::vector<double> samples;
    for (int rep = 0; rep <= reps; ++rep) {
        const double start = nowMs();
        novels.clear();
        for (int i = 0; i < kRows; ++i) {
            const int row = novels.appendRow();
            novels.setCell(row, novel_column::kNumber, numberToText(row + 1));
            novels.setCell(row, novel_column::kTitle, titles[static_cast<std::size_t>(i)]);
            novels.setCell(row, novel_column::kBookKey, keys[static_cast<std::size_t>(i)]);
            novels.setCell(row, novel_column::kSourceTag, "bukanshu");
        }
        pumpPendingMessages();
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const double elapsed = nowMs() - start;
        if (novels.rowCount() != kRows || ListView_GetItemCount(list) != kRows) {
            std::printf("the list holds %d rows\n", ListView_GetItemCount(list));
            return 1;
        }
        // The first fill is the warm-up.
        if (rep > 0) {
            samples.push_back(elapsed);
            std::printf("listFill %.3f ms\n", elapsed);
        }
    }
    report("listFill10000", samples, "ms");
    return 0;
}

std::wstring wideArgument(const char* text) {
    const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
    wide.resize(wide.size() - 1);
    return wide;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

// A visible top-level window of the process.
BOOL CALLBACK findShownWindow(HWND window, LPARAM searchParam) {
    auto* search = reinterpret_cast<WindowSearch*>(searchParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && GetParent(window) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from the program's start to its first visible window; -1
// when none appeared within 30 s. The program is closed afterwards.
double timeToWindow(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = nowMs();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    WindowSearch search{process.dwProcessId, nullptr};
    double elapsed = -1;
    while (nowMs() - start < 30000) {
        EnumWindows(findShownWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            elapsed = nowMs() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    if (search.found != nullptr) PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

// Quillmere, the minimal window and the minimal window with quillmere.exe's
// system parts, in turns.
int measureStart(int reps, const char* quillmere, const char* minimal, const char* system) {
    constexpr int kPrograms = 3;
    const std::wstring programs[kPrograms] = {wideArgument(quillmere), wideArgument(minimal),
                                              wideArgument(system)};
    // Warm-up: Wine's libraries and the programs' files are loaded once.
    for (const std::wstring& program : programs) {
        if (timeToWindow(program) < 0) {
            std::printf("no window from %ls\n", program.c_str());
            return 1;
        }
    }
    std::vector<double> samples[kPrograms];
    std::vector<double> ratios;
    std::vector<double> systemRatios;
    for (int rep = 0; rep < reps; ++rep) {
        double times[kPrograms];
        // Taking turns, so that none always goes first.
        for (int turn = 0; turn < kPrograms; ++turn) {
            const int which = (rep + turn) % kPrograms;
            times[which] = timeToWindow(programs[which]);
            if (times[which] < 0) return 1;
            samples[which].push_back(times[which]);
        }
        ratios.push_back(times[0] / times[1]);
        systemRatios.push_back(times[2] / times[1]);
        std::printf("start quillmere %.1f ms, minimal %.1f ms, system parts %.1f ms\n", times[0],
                    times[1], times[2]);
    }
    report("startQuillmere", samples[0], "ms");
    report("startMinimal", samples[1], "ms");
    report("startSystemParts", samples[2], "ms");
    report("startRatio", ratios, "x");
    report("startSystemRatio", systemRatios, "x");
    return 0;
}

void pressKey(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

int measureChapterStep(int reps, int demoPort) {
    const Text base = "http://127.0.0.1:" + std::to_string(demoPort) + "/";
    Window window(SiteConfig{base + "one/", base + "one-text/novel/", base + "two/"});
    if (!window.opened()) return 1;
    ReaderState& state = window.app().state();
    ReaderCommands& commands = window.app().commands();
    // The novel of long chapters; chapter 21 of 60, away from both ends.
    state.setSearchText("scrolls");
    commands.searchCommand();
    state.novelTable().setCurrentRow(0);
    commands.openNovel();
    state.chapterTable().setCurrentRow(20);
    commands.openChapter();
    pumpFor(100);
    const std::size_t chapterBytes = state.readingText().size();
    if (state.chapterTable().rowCount() != 60 || chapterBytes < 15000) {
        std::printf("the demo site gave %d chapters, %zu bytes\n", state.chapterTable().rowCount(),
                    chapterBytes);
        return 1;
    }
    std::printf("chapter of %zu bytes\n", chapterBytes);
    SetForegroundWindow(window.form().handle());
    SetFocus(window.form().controlHandle(ControlName::编辑框1));
    pumpFor(50);

    std::vector<double> samples;
    for (int rep = 0; rep <= reps; ++rep) {
        const Text before = window.form().caption();
        const double start = nowMs();
        pressKey(rep % 2 == 0 ? VK_RIGHT : VK_LEFT);
        if (!pumpUntil([&] { return window.form().caption() != before; }, 10000)) {
            std::printf("the caption stayed %s\n", before.c_str());
            return 1;
        }
        const double elapsed = nowMs() - start;
        pumpFor(20);  // the key's release and anything else still queued
        if (rep > 0) {
            samples.push_back(elapsed);
            std::printf("chapterStep %.3f ms\n", elapsed);
        }
    }
    report("chapterStep", samples, "ms");

    // Where the step's time goes: the fetch of a chapter, and the reading
    // pane taking its text.
    const Text url =
        base + "one-text/novel/" + state.textStoreDir() +
        state.chapterTable().cell(state.chapterTable().currentRow(), chapter_column::kChapterKey) +
        ".txt";
    const Text text = state.readingText();
    std::vector<double> fetches;
    std::vector<double> panes;
    for (int rep = 0; rep < reps; ++rep) {
        double start = nowMs();
        const Text page = fetchPage(url);
        fetches.push_back(nowMs() - start);
        if (page.size() < chapterBytes) std::printf("the fetch gave %zu bytes\n", page.size());
        // A chapter replaces the one before, as in a step.
        start = nowMs();
        window.form().setText(ControlName::编辑框1, text);
        panes.push_back(nowMs() - start);
    }
    report("chapterStepFetch", fetches, "ms");
    report("chapterStepPaneText", panes, "ms");

    // The reader's own step (the key handler), without the key's way there.
    std::vector<double> handlers;
    for (int rep = 0; rep < reps; ++rep) {
        const double start = nowMs();
        commands.readingPaneKeys(rep % 2 == 0 ? VK_RIGHT : VK_LEFT, 0);
        handlers.push_back(nowMs() - start);
    }
    report("chapterStepHandler", handlers, "ms");

    std::vector<double> rows, captions, paints;
    HWND pane = window.form().controlHandle(ControlName::编辑框1);
    for (int rep = 0; rep < reps; ++rep) {
        double start = nowMs();
        const int row = 20 + rep % 2;
        state.chapterTable().setCurrentRow(row);
        state.chapterTable().makeRowVisible(row);
        pumpPendingMessages();
        rows.push_back(nowMs() - start);
        start = nowMs();
        state.setCaption(state.chapterTable().cell(row, chapter_column::kTitle));
        pumpPendingMessages();
        captions.push_back(nowMs() - start);
        window.form().setText(ControlName::编辑框1, text);
        start = nowMs();
        UpdateWindow(pane);
        pumpPendingMessages();
        paints.push_back(nowMs() - start);
    }
    report("chapterStepRow", rows, "ms");
    report("chapterStepCaption", captions, "ms");
    report("chapterStepPanePaint", paints, "ms");
    return 0;
}

}  // namespace

}  // namespace qm::win32::bench

int main(int argc, char** argv) {
    using namespace qm::win32::bench;
    const std::string mode = argc > 1 ? argv[1] : "";
    const int reps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (mode == "list") return measureListFill(reps);
    if (mode == "start" && argc > 5) return measureStart(reps, argv[3], argv[4], argv[5]);
    if (mode == "step" && argc > 3) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as quillmere.exe starts
        qm::prepareSharedPattern();
        const int result = measureChapterStep(reps, std::atoi(argv[3]));
        CoUninitialize();
        return result;
    }
    std::fprintf(stderr,
                 "usage: qm-wine-bench list REPS | start REPS QUILLMERE_EXE MINIMAL_EXE "
                 "SYSTEM_EXE | step REPS DEMO_PORT\n");
    return 2;
}
