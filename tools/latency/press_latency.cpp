// Press latency: the time from a slot press to the media device reporting "playing",
// against a bare MCI open + play of the same file, alternating in one invocation.
//
//   wine build/win/tools/kv_press_latency.exe [--runs N] [--file C:\path\to\jingle.wav]
//
// Without --file a short WAV is written to %TEMP%. The press runs the real main window
// logic (no window: the headless control layer) with the real Win32 services: file
// check, device close/open/play and the play log line.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/win32/Win32Clock.h"
#include "app/win32/Win32Environment.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/Win32Random.h"
#include "app/win32/Win32VersionSource.h"
#include "library/win32/Win32ProfileFile.h"
#include "playback/win32/MciMediaPlayer.h"
#include "ui/MainUnit.h"

namespace {

// Message boxes would stop the measurement; a press that needs one is a failed run.
class SilentDialogs final : public kv::ui::IDialogs {
public:
    int shown = 0;
    void showMessage(kv::ui::MessageType, const std::wstring&) override { ++shown; }
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
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return;
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
    while (mciMode(L"bench") != L"playing")
        if (nowMs() - start > 5000) return -1;
    const double elapsed = nowMs() - start;
    mciSendStringW(L"close bench wait", nullptr, 0, nullptr);
    return elapsed;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 15;
    std::wstring file;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring flag = argv[i];
        if (flag == L"--runs") runs = std::max(1, _wtoi(argv[i + 1]));
        else if (flag == L"--file") file = argv[i + 1];
    }
    const std::wstring folder = tempFolder();
    if (file.empty()) {
        file = folder + L"\\bench.wav";
        writeWav(file);
    }
    // The program's data folder goes to the temp folder, with one category holding the file.
    SetEnvironmentVariableW(L"APPDATA", folder.c_str());
    CreateDirectoryW((folder + L"\\Kavinta").c_str(), nullptr);
    kv::Win32ProfileFile profile;
    profile.writeString(folder + L"\\Kavinta\\KV.ini", L"Bench", L"Jingle1", file);

    kv::ui::BuiltinTexts texts;
    SilentDialogs dialogs;
    kv::Win32FileSystem files;
    kv::Win32Environment environment;
    kv::MciMediaPlayer player(texts);
    kv::Win32Clock clock;
    kv::Win32Random random;
    kv::Win32VersionSource version;
    kv::ui::TKavintamainform form(
        {texts, dialogs, profile, files, environment, player, clock, random, version});
    form.FormCreate();
    form.starttimerTimer();
    if (form.kategorie.text() != L"Bench") {
        std::fwprintf(stderr, L"the bench category did not load\n");
        return 1;
    }

    std::vector<double> press, bare;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMs();
        form.slot(1).click();
        while (player.mode() != kv::MediaMode::Playing)
            if (nowMs() - start > 5000) break;
        const double elapsed = nowMs() - start;
        if (player.mode() != kv::MediaMode::Playing || dialogs.shown) {
            std::fwprintf(stderr, L"press %d did not play (status: %ls)\n", i, form.StatusBarMain.panelText().c_str());
            return 1;
        }
        press.push_back(elapsed);
        player.close();
        form.playerstatustimerTimer();  // the monitor's end of jingle: marker off, category reloaded

        const double b = baselineRun(file);
        if (b < 0) {
            std::fwprintf(stderr, L"baseline run %d did not play\n", i);
            return 1;
        }
        bare.push_back(b);
    }
    const double p = median(press), b = median(bare);
    std::wprintf(L"runs: %d\nslot press median: %.2f ms\nbare MCI median:   %.2f ms\nratio: %.3f\n", runs, p, b, p / b);
    return 0;
}
