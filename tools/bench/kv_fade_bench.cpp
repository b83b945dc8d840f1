// Fade-timing benchmark: the real Kavinta.exe fades the Winamp stand-in
// (tools/standin) out before each jingle, blocking (255 -> 0: 26 steps, ideally 25 pauses
// of 50 ms), and back in at its end on the fade timer (0 -> 255, a step every 50 ms). The
// stand-in's log gives every step's time on the performance counter. Printed: the
// blocking fade's length against 1250 ms and the median interval between the timer
// fade's steps against 50 ms, each as the median over the runs, with their ratios
// (targets: within 5 % and 10 %). A measurement, not a test: the exit code says only
// whether every run could be measured.
//
// Usage (Unix paths are turned into Wine's Z: paths):
//   wine kv_fade_bench.exe --program <Kavinta.exe> --standin <kv_standin_winamp.exe> [--runs N (5)]
// From a cross build directory with the Wine environment set:
//   cmake --build <dir> --target run_fade_bench
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

#include "kvdriver/IniSnapshot.h"
#include "kvdriver/KavintaWindow.h"
#include "kvdriver/StandIn.h"
#include "kvdriver/TempFolder.h"
#include "kvdriver/Text.h"
#include "kvdriver/Window.h"
#include "ui/ControlIds.h"

using namespace kvdriver;

namespace {

constexpr int kSteps = 26;          // 255 -> 0 and 0 -> 255 in steps of 10
constexpr double kIdealStepMs = 50;
constexpr double kIdealBlockingMs = (kSteps - 1) * kIdealStepMs;
constexpr int kJingleMs = 1000;

struct Options {
    std::wstring program;
    std::wstring standin;
    int runs = 5;
};

bool parse(int argc, wchar_t** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--program") options.program = toWindowsPath(argv[i + 1]);
        else if (name == L"--standin") options.standin = toWindowsPath(argv[i + 1]);
        else if (name == L"--runs") options.runs = std::max(1, _wtoi(argv[i + 1]));
        else return false;
    }
    return !options.program.empty() && !options.standin.empty();
}

// A mono 16-bit PCM WAV file of silence.
std::vector<std::uint8_t> silentWav(int milliseconds) {
    const std::uint32_t rate = 22050, dataBytes = rate * 2 * static_cast<std::uint32_t>(milliseconds) / 1000;
    std::vector<std::uint8_t> bytes;
    auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    auto tag = [&](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
    tag("RIFF"); put(36 + dataBytes, 4); tag("WAVE");
    tag("fmt "); put(16, 4); put(1, 2); put(1, 2); put(rate, 4); put(rate * 2, 4); put(2, 2); put(16, 2);
    tag("data"); put(dataBytes, 4);
    bytes.resize(bytes.size() + dataBytes, 0);
    return bytes;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The volume sets (not the queries) among the stand-in's messages.
std::vector<long long> setTimes(const std::vector<LoggedMessage>& log, size_t from, size_t count) {
    std::vector<long long> times;
    for (size_t i = from; i < log.size() && times.size() < count; ++i)
        if (log[i].message == WM_USER && log[i].lParam == 122 && log[i].wParam != -666) times.push_back(log[i].micros);
    return times;
}

int run(const Options& options) {
    TempFolder root(L"kv-fadebench");
    createFolders(root / L"appdata\\Kavinta");
    createFolders(root / L"allusers");
    const std::wstring wav = root / L"stille.wav";
    writeFileBytes(wav, silentWav(kJingleMs));
    writeFileBytes(root / L"appdata\\Kavinta\\KV.ini",
                   utf16LeWithBom(L"[Bench]\r\nText1=Stille\r\nJingle1=" + wav +
                                  L"\r\nzentrixfadeoutin=0\r\nwinampfadeoutin=1\r\nmixerfadeoutin=0\r\n"
                                  L"fo1=1\r\nfo2=0\r\nfi=1\r\ncf=0\r\nfopos=0\r\njingleendezeit=0\r\n"));

    StandIn winamp(options.standin, kWinampClass, root / L"winamp.log", L"--volume 255");
    Process kavinta = launchWithData(options.program, {root / L"appdata", root / L"allusers", root.path()});
    auto window = KavintaWindow::waitFor(kavinta.pid(), Millis{30000});
    if (!window || !window->waitCategoryShown(Millis{10000})) {
        std::fwprintf(stderr, L"Kavinta did not come up\n");
        return 1;
    }

    std::vector<double> blockingMs, timerMedianMs;
    for (int r = 0; r < options.runs; ++r) {
        const size_t before = winamp.userMessages().size();
        const size_t perJingle = 2 * (1 + kSteps);  // query and sets, out and back in
        PostMessageW(window->hwnd(), WM_KEYDOWN, VK_F1, 1);
        PostMessageW(window->hwnd(), WM_KEYUP, VK_F1, static_cast<LPARAM>(0xC0000001u));
        if (!waitUntil([&] { return winamp.userMessages().size() >= before + perJingle; }, Millis{15000})) {
            std::fwprintf(stderr, L"run %d: the fades did not complete\n", r + 1);
            return 1;
        }
        waitUntil([&] { return window->slotCaption(1) == L"Stille"; }, Millis{5000});
        const auto log = winamp.userMessages();
        const auto out = setTimes(log, before, kSteps);
        const auto in = setTimes(log, before + 1 + kSteps, kSteps);
        blockingMs.push_back((out.back() - out.front()) / 1000.0);
        std::vector<double> intervals;
        for (size_t i = 1; i < in.size(); ++i) intervals.push_back((in[i] - in[i - 1]) / 1000.0);
        timerMedianMs.push_back(median(intervals));
        std::wprintf(L"run %d: blocking fade %.1f ms, timer fade median step %.1f ms\n", r + 1, blockingMs.back(),
                     timerMedianMs.back());
    }
    window->close();
    kavinta.waitExit(Millis{15000});

    const double blocking = median(blockingMs), timer = median(timerMedianMs);
    std::wprintf(L"blocking Winamp fade 255->0: %.1f ms, ideal %.0f ms, ratio %.3f (target 0.95 ... 1.05)\n",
                 blocking, kIdealBlockingMs, blocking / kIdealBlockingMs);
    std::wprintf(L"timer-driven fade, median step: %.1f ms, ideal %.0f ms, ratio %.3f (target 0.90 ... 1.10)\n",
                 timer, kIdealStepMs, timer / kIdealStepMs);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fwprintf(stderr, L"usage: kv_fade_bench --program <Kavinta.exe> --standin <kv_standin_winamp.exe> "
                              L"[--runs N]\n");
        return 2;
    }
    try {
        return run(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
