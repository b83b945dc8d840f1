// Start-up benchmark: time from launch to the first category shown, for the program and
// for a plain Win32 program with the same window and controls (bare_window.exe) as the
// baseline. Runs alternate between the two under the same Wine (one warm-up run of each is
// not counted); the result is both medians and their ratio (target: ratio <= 1.10). It is a
// measurement, not a test: the exit code says only whether every run could be measured.
//
// Usage (Unix paths are turned into Wine's Z: paths):
//   wine kv_startup_bench.exe --program <Kavinta.exe> --baseline <bare_window.exe>
//        [--runs N (default 15)] [--timeout-ms T (default 30000)] [--style <name>]
// --style saves that look as the style of the prepared KV.ini (STYLENAME of KONFIG), so the
// program starts in it; the baseline reads the same file and draws nothing of it.
// From a cross build directory with the Wine environment set:
//   cmake --build <dir> --target run_startup_bench
//
// "First category shown", asked of both the same way: the category box (id kategorie) has
// a selection and the first slot button (id J1) no longer shows "- -". Each run gets a
// fresh data folder with the same three-category KV.ini.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "kvdriver/IniSnapshot.h"
#include "kvdriver/KavintaWindow.h"
#include "kvdriver/Process.h"
#include "kvdriver/TempFolder.h"
#include "kvdriver/Text.h"
#include "kvdriver/Window.h"
#include "ui/ControlIds.h"

using namespace kvdriver;

namespace {

constexpr wchar_t kBaselineClass[] = L"KvBareWindow";
constexpr Millis kExitTimeout{15000};
constexpr double kTargetRatio = 1.10;

struct Options {
    std::wstring program;
    std::wstring baseline;
    int runs = 15;
    Millis timeout{30000};
    std::wstring style;  // empty: no STYLENAME, the system look
};

// What one run has found of the launched program's windows so far; the handles are
// looked up once, so that polling costs both programs the same few messages.
struct Probe {
    HWND window = nullptr;
    HWND selector = nullptr;  // the combo box whose selection marks "shown"
    HWND firstSlot = nullptr; // J1
};

struct Candidate {
    const wchar_t* label;
    std::wstring exe;
    const wchar_t* windowClass;
};

// One message a poll: the slot is asked only once the category box has its selection (the
// load that sets both runs in one handler).
bool firstCategoryShown(DWORD pid, const wchar_t* windowClass, Probe& probe) {
    if (probe.window == nullptr) {
        const auto found = topLevelWindows(pid, windowClass);
        if (found.empty()) return false;
        probe.window = found.front();
    }
    if (probe.selector == nullptr || probe.firstSlot == nullptr) {
        probe.selector = childById(probe.window, kv::ui::ids::kategorie);
        probe.firstSlot = childById(probe.window, kv::ui::ids::J1);
        if (probe.selector == nullptr || probe.firstSlot == nullptr) return false;
    }
    if (comboSelection(probe.selector) < 0) return false;
    return windowText(probe.firstSlot) != kDesignSlotCaption;
}

void prepareData(const TempFolder& root, const std::wstring& style) {
    createFolders(root / L"appdata\\Kavinta");
    createFolders(root / L"allusers");
    const std::wstring styleLine = style.empty() ? L"" : L"STYLENAME=" + style + L"\r\n";
    const std::wstring ini =
        L"[Werbung]\r\nText1=Spot\r\n[Allgemein]\r\nText1=Intro\r\nText2=Outro\r\nfopos=30\r\n"
        L"[KONFIG]\r\nfensterimvordergrund=0\r\n" + styleLine + L"[Nachrichten]\r\nText1=Jingle\r\n";
    writeFileBytes(root / L"appdata\\Kavinta\\KV.ini", utf16LeWithBom(ini));
}

struct Timing {
    double windowMs;  // launch -> the top-level window exists
    double shownMs;   // launch -> first category shown
};

double millisSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// One launch; the times until the window existed and the first category was shown.
std::optional<Timing> measureOnce(const Candidate& candidate, const Options& options) {
    const Millis timeout = options.timeout;
    TempFolder root(L"kv-bench");
    prepareData(root, options.style);
    const DataEnvironment data{root / L"appdata", root / L"allusers", root.path()};

    const auto start = std::chrono::steady_clock::now();
    Process process = launchWithData(candidate.exe, data);
    Probe probe;
    double windowMs = -1;
    const bool shown = waitUntil(
        [&] {
            const bool done = firstCategoryShown(process.pid(), candidate.windowClass, probe);
            if (windowMs < 0 && probe.window != nullptr) windowMs = millisSince(start);
            return done;
        },
        timeout, Millis{1});
    const double shownMs = millisSince(start);

    if (probe.window != nullptr) postClose(probe.window);
    if (!process.waitExit(kExitTimeout)) process.terminate();
    if (!shown) return std::nullopt;
    return Timing{windowMs, shownMs};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::optional<Options> parseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        const std::wstring value = argv[i + 1];
        if (name == L"--program") options.program = toWindowsPath(value);
        else if (name == L"--baseline") options.baseline = toWindowsPath(value);
        else if (name == L"--runs") options.runs = std::max(1, _wtoi(value.c_str()));
        else if (name == L"--timeout-ms") options.timeout = Millis(std::max(1, _wtoi(value.c_str())));
        else if (name == L"--style") options.style = value;
        else return std::nullopt;
    }
    if (argc % 2 == 0 || options.program.empty() || options.baseline.empty()) return std::nullopt;
    return options;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const auto options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: kv_startup_bench --program <exe> --baseline <exe> "
                             "[--runs N] [--timeout-ms T] [--style <name>]\n");
        return 1;
    }
    const Candidate program{L"Kavinta", options->program, kMainWindowClass};
    const Candidate baseline{L"baseline", options->baseline, kBaselineClass};
    try {
        // Warm-up: the first start after the Wine server came up is not representative.
        measureOnce(program, *options);
        measureOnce(baseline, *options);
        if (!options->style.empty()) std::printf("saved style: %ls\n", options->style.c_str());

        std::vector<double> programTimes, baselineTimes, programWindow, baselineWindow;
        for (int run = 0; run < options->runs; ++run) {
            const bool programFirst = run % 2 == 0;
            for (const Candidate* c : {programFirst ? &program : &baseline, programFirst ? &baseline : &program}) {
                const auto timing = measureOnce(*c, *options);
                if (!timing) {
                    std::fprintf(stderr, "run %d: %ls did not show its first category in time\n", run + 1, c->label);
                    return 2;
                }
                (c == &program ? programTimes : baselineTimes).push_back(timing->shownMs);
                (c == &program ? programWindow : baselineWindow).push_back(timing->windowMs);
                std::printf("run %2d  %-8ls window %7.1f ms  shown %7.1f ms\n", run + 1, c->label,
                            timing->windowMs, timing->shownMs);
            }
        }
        const double programMedian = median(programTimes);
        const double baselineMedian = median(baselineTimes);
        const double ratio = programMedian / baselineMedian;
        // Each run's two launches follow each other, so their ratio is little moved by a load
        // on the host that comes and goes between runs.
        std::vector<double> pairRatios;
        for (size_t i = 0; i < programTimes.size(); ++i) pairRatios.push_back(programTimes[i] / baselineTimes[i]);
        std::printf("median Kavinta:  %.1f ms (%d runs; window after %.1f ms)\n", programMedian,
                    options->runs, median(programWindow));
        std::printf("median baseline: %.1f ms (%d runs; window after %.1f ms)\n", baselineMedian,
                    options->runs, median(baselineWindow));
        std::printf("ratio:           %.3f (target <= %.2f: %s)\n", ratio, kTargetRatio,
                    ratio <= kTargetRatio ? "met" : "not met");
        std::printf("ratio of a run:  %.3f (median over the runs)\n", median(pairRatios));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kv_startup_bench: %s\n", e.what());
        return 2;
    }
    return 0;
}
