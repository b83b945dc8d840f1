// Press latency: the time from a slot press to the media device reporting "playing",
// against a bare MCI open + play of the same file, alternating in one invocation.
//
//   wine build/win/tools/kv_press_latency.exe [--runs N] [--file C:\path\to\jingle.wav] [--player mci|engine]
//
// --player chooses the program's player for the press: the own engine with the MCI fallback
// (engine, the default, as the program plays) or MCI alone (mci). "Playing" is reported
// before the sound is heard; tools/latency/press_to_sound.py measures up to the sound.
// Without --file a short WAV is written to %TEMP%. The press runs the real main window
// logic (no window: the headless control layer) with the real Win32 services (only the
// version text is fixed, as this executable has no version resource): file
// check, device close/open/play and the play log line. Prints the medians of both, their
// ratio, and the median of the whole press handler (the log line written after "play").
#include <windows.h>
#include <mmsystem.h>
#include <objbase.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/Win32Clock.h"
#include "app/win32/Win32Environment.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/Win32Random.h"
#include "app/win32/Win32FileLocks.h"
#include "library/win32/Win32ProfileFile.h"
#include "playback/FallbackMediaPlayer.h"
#include "playback/PlaybackErrors.h"
#include "playback/win32/EngineMediaPlayer.h"
#include "playback/win32/MciMediaPlayer.h"
#include "ui/MainUnit.h"

namespace {

// Message boxes would stop the measurement; a press that needs one is a failed run.
class SilentDialogs final : public kv::IDialogs {
public:
    int shown = 0;
    std::wstring last;
    void showMessage(kv::MessageType, const std::wstring& text) override {
        ++shown;
        last = text;
    }
    bool confirm(const std::wstring&) override { return false; }
    bool inputQuery(const std::wstring&, const std::wstring&, std::wstring&) override { return false; }
    bool openFile(const std::wstring&, const std::wstring&, std::wstring&) override { return false; }
};

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1000.0 / frequency.QuadPart;
}

std::wstring tempFolder() {
    wchar_t buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    std::wstring folder = std::wstring(buffer) + L"kv_press_latency";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Three seconds of a 440 Hz tone, 16-bit mono PCM.
void writeWav(const std::wstring& path) {
    const unsigned rate = 44100, samples = rate * 3;
    std::vector<short> pcm(samples);
    for (unsigned i = 0; i < samples; ++i) pcm[i] = static_cast<short>(8000 * std::sin(i * 2 * 3.14159265 * 440 / rate));
    const unsigned dataBytes = samples * 2;
    struct {
        char riff[4] = {'R', 'I', 'F', 'F'};
        unsigned size;
        char wave[4] = {'W', 'A', 'V', 'E'};
        char fmt[4] = {'f', 'm', 't', ' '};
        unsigned fmtSize = 16;
        unsigned short format = 1, channels = 1;
        unsigned sampleRate = 44100, byteRate = 88200;
        unsigned short align = 2, bits = 16;
        char data[4] = {'d', 'a', 't', 'a'};
        unsigned dataSize;
    } header;
    header.size = 36 + dataBytes;
    header.dataSize = dataBytes;
    FILE* f = nullptr;
    if (_wfopen_s(&f, path.c_str(), L"wb") != 0 || !f) return;
    fwrite(&header, sizeof header, 1, f);
    fwrite(pcm.data(), 2, samples, f);
    fclose(f);
}

std::wstring mciMode(const wchar_t* alias) {
    wchar_t mode[64] = L"";
    const std::wstring command = std::wstring(L"status ") + alias + L" mode";
    mciSendStringW(command.c_str(), mode, 64, nullptr);
    return mode;
}

double baselineRun(const std::wstring& file) {
    const double start = nowMs();
    mciSendStringW((L"open \"" + file + L"\" alias bench").c_str(), nullptr, 0, nullptr);
    mciSendStringW(L"play bench", nullptr, 0, nullptr);
    bool playing = true;
    while (playing && mciMode(L"bench") != L"playing")
        playing = nowMs() - start <= 5000;
    const double elapsed = nowMs() - start;
    mciSendStringW(L"close bench wait", nullptr, 0, nullptr);
    return playing ? elapsed : -1;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The bench executable carries none of the program's resources; the version text plays no
// part in a press, so a fixed version keeps the start-up free of its warning box.
class FixedVersion final : public kv::IVersionSource {
public:
    std::optional<kv::FileVersion> fileVersion(std::wstring&) const override { return kv::FileVersion{1, 0, 0, 0}; }
};

// The program's media player, watched: right after the press has issued "play", the device is
// asked for its mode until it reports "playing", and that moment is noted. The bare run
// polls in the same way right after its "play", so both figures end at the same event.
class WatchedPlayer final : public kv::IMediaPlayer {
public:
    explicit WatchedPlayer(kv::IMediaPlayer& inner) : inner_(inner) {}
    double playingAt = -1;  // nowMs() of the first "playing" report after a play, else -1

    void close() override { inner_.close(); }
    bool open(const std::wstring& fileName) override { return inner_.open(fileName); }
    bool play() override {
        const bool started = inner_.play();
        const double issued = nowMs();
        while (started && inner_.mode() != kv::MediaMode::Playing)
            if (nowMs() - issued > 5000) return started;
        if (started) playingAt = nowMs();
        return started;
    }
    kv::MediaMode mode() const override { return inner_.mode(); }
    std::int32_t position() const override { return inner_.position(); }
    std::int32_t length() const override { return inner_.length(); }
    int error() const override { return inner_.error(); }
    std::wstring errorMessage() const override { return inner_.errorMessage(); }

private:
    kv::IMediaPlayer& inner_;
};

struct PressTimes {
    double untilPlaying = -1;  // press until the device reports "playing"
    double wholeHandler = -1;  // press until the click handler returns (log line included)
};

// One slot press through the window logic. Afterwards the device is closed and the
// monitor's end of jingle runs (marker off, category reloaded), so every press starts
// from the same idle state. Negative times on failure.
PressTimes pressRun(kv::ui::TKavintamainform& form, WatchedPlayer& player, const SilentDialogs& dialogs) {
    const int messagesBefore = dialogs.shown;
    player.playingAt = -1;
    const double start = nowMs();
    form.slot(1).click();
    const double handlerDone = nowMs();
    const bool played = player.playingAt >= 0 && player.mode() == kv::MediaMode::Playing &&
                        dialogs.shown == messagesBefore;
    if (!played)
        std::fwprintf(stderr, L"the press did not play (mode %d, status: \"%ls\", message: \"%ls\")\n",
                      static_cast<int>(player.mode()), form.StatusBarMain.panelText().c_str(),
                      dialogs.shown == messagesBefore ? L"" : dialogs.last.c_str());
    PressTimes times;
    if (played) times = {player.playingAt - start, handlerDone - start};
    player.close();
    form.playerstatustimerTimer();
    return times;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 15;
    std::wstring file;
    std::wstring playerName = L"engine";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring flag = argv[i];
        if (flag == L"--runs") runs = std::max(1, _wtoi(argv[i + 1]));
        else if (flag == L"--file") file = argv[i + 1];
        else if (flag == L"--player") playerName = argv[i + 1];
    }
    // The program runs its user-interface thread as a single-threaded apartment; MP3 files
    // go through a device that uses COM.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring folder = tempFolder();
    if (file.empty()) {
        file = folder + L"\\bench.wav";
        writeWav(file);
    }
    // The program's data folder goes to the temp folder, with one category holding the file.
    SetEnvironmentVariableW(L"APPDATA", folder.c_str());
    CreateDirectoryW((folder + L"\\Kavinta").c_str(), nullptr);
    kv::Win32FileSystem files;
    kv::Win32FileLocks locks;
    kv::Win32ProfileFile profile(files, locks);
    profile.writeString(folder + L"\\Kavinta\\KV.ini", L"Bench", L"Jingle1", file);

    kv::BuiltinTexts texts;
    SilentDialogs dialogs;
    kv::Win32Environment environment;
    kv::MciMediaPlayer mci(texts);
    kv::EngineMediaPlayer engine(texts, 0);
    kv::FallbackMediaPlayer both(engine, mci, kv::mciMayPlayInstead);
    WatchedPlayer player(playerName == L"mci" ? static_cast<kv::IMediaPlayer&>(mci) : both);
    kv::Win32Clock clock;
    kv::Win32Random random;
    FixedVersion version;
    kv::ui::TKavintamainform form(
        {texts, dialogs, profile, files, environment, player, clock, random, version});
    form.FormCreate();
    form.starttimerTimer();
    if (form.kategorie.text() != L"Bench" || form.slot(1).hint() != file) {
        std::fwprintf(stderr, L"the bench category did not load (message: \"%ls\")\n", dialogs.last.c_str());
        return 1;
    }

    // One untimed round first: the first open of a device type loads its driver.
    if (pressRun(form, player, dialogs).untilPlaying < 0 || baselineRun(file) < 0) {
        std::fwprintf(stderr, L"the warm-up round did not play\n");
        return 1;
    }
    // Rounds alternate which of the two goes first, so neither always follows the other.
    std::vector<double> press, handler, bare;
    for (int i = 0; i < runs; ++i) {
        const bool pressFirst = i % 2 == 0;
        PressTimes p;
        double b = -1;
        if (pressFirst) {
            p = pressRun(form, player, dialogs);
            b = baselineRun(file);
        } else {
            b = baselineRun(file);
            p = pressRun(form, player, dialogs);
        }
        if (p.untilPlaying < 0 || b < 0) {
            std::fwprintf(stderr, L"round %d did not play (%ls)\n", i, p.untilPlaying < 0 ? L"press" : L"bare MCI");
            return 1;
        }
        press.push_back(p.untilPlaying);
        handler.push_back(p.wholeHandler);
        bare.push_back(b);
    }
    const double p = median(press), h = median(handler), b = median(bare);
    std::wprintf(L"player: %ls\n", playerName.c_str());
    std::wprintf(L"runs: %d\nslot press median: %.2f ms\nbare MCI median:   %.2f ms\nratio: %.3f\n"
                 L"whole press handler median (play log line included): %.2f ms\n",
                 runs, p, b, p / b, h);
    CoUninitialize();
    return 0;
}
