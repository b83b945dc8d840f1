// Firing slots of the real program with sound (a PulseAudio null sink under Wine): the
// playing marker, the monitor text counting up, the captions and "(- -)" back after the
// jingle, a press that stops a jingle, the status texts of an unassigned slot, a missing
// file and a text file named like a WAV, an MP3 file, and the play log's lines on disk.
#include <chrono>
#include <cstdint>
#include <optional>
#include <regex>

#include "E2eFixture.h"

namespace kv::e2e {
namespace {

constexpr Millis kPlayTimeout{5000};
// J1: long enough that the monitor shows several positions also on a loaded host (there a
// jingle of 1.2 s showed only two).
constexpr int kShortMs = 2500;
constexpr int kLongMs = 3000;   // J2

const std::wstring kIdle = L"(- -)";
const std::wstring kNotFound = L"Fehler : Datei nicht gefunden";
const std::wstring kLogHeader = L"Datum Zeit Jinglename Jinglepfad";

// The MP3 made at build time on the host, when its tools were found.
std::wstring builtMp3() {
    const std::wstring folder = fromUtf8(KV_E2E_MEDIA);
    return folder.empty() ? std::wstring() : toWindowsPath(folder) + L"\\ton.mp3";
}

// "(spielt: 1:234 von 5:000)" read as milliseconds.
struct MonitorReading {
    int position;
    int length;
};
std::optional<MonitorReading> parseMonitor(const std::wstring& text) {
    static const std::wregex playing(LR"(\(spielt: (\d+):(\d{3}) von (\d+):(\d{3})\))");
    std::wsmatch m;
    if (!std::regex_match(text, m, playing)) return std::nullopt;
    return MonitorReading{std::stoi(m[1]) * 1000 + std::stoi(m[2]), std::stoi(m[3]) * 1000 + std::stoi(m[4])};
}

std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }
std::wstring nameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

int secondOfDay(const SYSTEMTIME& t) { return t.wHour * 3600 + t.wMinute * 60 + t.wSecond; }

std::wstring formatDate(const SYSTEMTIME& t) {
    wchar_t text[16];
    swprintf(text, 16, L"%02u.%02u.%04u", t.wDay, t.wMonth, t.wYear);
    return text;
}

class Playback : public E2eTest {
protected:
    void SetUp() override {
        createFolders(media());
        ASSERT_TRUE(writeFileBytes(shortWav(), toneWav(kShortMs)));
        ASSERT_TRUE(writeFileBytes(longWav(), toneWav(kLongMs)));
        const std::string notAudio = "Dies ist kein Klang, nur Text.\r\n";
        ASSERT_TRUE(writeFileBytes(textWav(), std::vector<std::uint8_t>(notAudio.begin(), notAudio.end())));
        // Slot 3 stays unassigned; no player interface is chosen, so no fade is involved.
        std::wstring ini = L"[Musik]\r\n";
        auto slot = [&](int n, const std::wstring& text, const std::wstring& file) {
            ini += L"Text" + std::to_wstring(n) + L"=" + text + L"\r\nJingle" + std::to_wstring(n) + L"=" +
                   file + L"\r\n";
        };
        slot(1, L"Kurz", shortWav());
        slot(2, L"Lang", longWav());
        slot(4, L"Fehlt", missingWav());
        slot(5, L"Kaputt", textWav());
        if (!builtMp3().empty()) slot(6, L"MP3", builtMp3());
        ini += L"zentrixfadeoutin=0\r\nwinampfadeoutin=0\r\nmixerfadeoutin=0\r\n";
        writeIni(ini);
    }

    std::wstring media() const { return root() / L"media"; }
    std::wstring shortWav() const { return media() + L"\\kurz.wav"; }
    std::wstring longWav() const { return media() + L"\\lang.wav"; }
    std::wstring missingWav() const { return media() + L"\\nicht-da.wav"; }
    std::wstring textWav() const { return media() + L"\\text als.wav"; }
    std::wstring logPath() const { return dataFolder() + L"\\KVLOG.LOG"; }

    static void pressKey(const KavintaWindow& window, int slot) {
        PostMessageW(window.hwnd(), WM_KEYDOWN, VK_F1 + slot - 1, 1);
        PostMessageW(window.hwnd(), WM_KEYUP, VK_F1 + slot - 1, static_cast<LPARAM>(0xC0000001u));
    }

    static std::wstring monitor(const KavintaWindow& window) { return window.text(ids::Jinglestatus); }
    static std::wstring status(const KavintaWindow& window) {
        return statusBarText(window.control(ids::StatusBarMain), 0);
    }

    // Readings of the monitor from now until it shows "(- -)" again.
    std::vector<MonitorReading> watchUntilIdle(const KavintaWindow& window, Millis timeout) {
        std::vector<MonitorReading> readings;
        std::wstring last;
        waitUntil([&] {
            const std::wstring text = monitor(window);
            if (text != last) {
                last = text;
                if (auto reading = parseMonitor(text)) readings.push_back(*reading);
            }
            return text == kIdle;
        }, timeout, Millis{5});
        EXPECT_EQ(last, kIdle) << "the monitor did not come back to idle";
        return readings;
    }

    // The first monitor reading of a jingle that has started.
    std::optional<MonitorReading> waitPlaying(const KavintaWindow& window) {
        return waitFor([&] { return parseMonitor(monitor(window)); }, kPlayTimeout, Millis{5});
    }

    // The lines of the play log, without line ends and after its UTF-8 mark; nullopt when
    // there is no file.
    std::optional<std::vector<std::wstring>> logLines() const {
        const auto bytes = readFileBytes(logPath());
        if (!bytes) return std::nullopt;
        const bool marked = bytes->size() >= 3 && (*bytes)[0] == 0xEF && (*bytes)[1] == 0xBB && (*bytes)[2] == 0xBF;
        EXPECT_TRUE(marked) << "a new log is UTF-8 with its mark";
        const std::wstring text(bytes->begin() + (marked ? 3 : 0), bytes->end());  // the paths here are ASCII
        std::vector<std::wstring> lines;
        size_t begin = 0;
        for (size_t end; (end = text.find(L"\r\n", begin)) != std::wstring::npos; begin = end + 2)
            lines.push_back(text.substr(begin, end - begin));
        EXPECT_EQ(begin, text.size()) << "the log does not end with CR LF";
        return lines;
    }

    // An entry line for file, fired between the two clock readings.
    static void expectEntry(const std::wstring& line, const std::wstring& file, const SYSTEMTIME& before,
                            const SYSTEMTIME& after) {
        static const std::wregex entry(LR"((\d\d\.\d\d\.\d{4}) (\d\d):(\d\d):(\d\d) (.*))");
        std::wsmatch m;
        ASSERT_TRUE(std::regex_match(line, m, entry)) << narrow(line);
        EXPECT_TRUE(m[1] == formatDate(before) || m[1] == formatDate(after)) << narrow(line);
        const int second = std::stoi(m[2]) * 3600 + std::stoi(m[3]) * 60 + std::stoi(m[4]);
        if (before.wDay == after.wDay) {
            EXPECT_GE(second, secondOfDay(before)) << narrow(line);
            EXPECT_LE(second, secondOfDay(after)) << narrow(line);
        }
        const std::wstring rest = file.empty() ? L" " : nameOf(file) + L" " + folderOf(file);
        EXPECT_EQ(m[5].str(), rest) << narrow(line);
    }
};

TEST_F(Playback, F1PlaysWithMarkerAndMonitorThenRestoresCaptions) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(window.slotCaption(1), L"Kurz");
    ASSERT_EQ(monitor(window), kIdle);
    ASSERT_FALSE(fileExists(logPath()));

    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);
    const auto pressed = std::chrono::steady_clock::now();
    pressKey(window, 1);
    ASSERT_TRUE(waitUntil([&] { return window.slotCaption(1) == L">>"; }, kPlayTimeout)) << "no marker";
    const auto first = waitPlaying(window);
    ASSERT_TRUE(first.has_value()) << "the monitor shows \"" << narrow(monitor(window)) << "\"";
    EXPECT_EQ(window.slotCaption(1), L">>");
    EXPECT_EQ(window.slotCaption(2), L"Lang") << "another slot changed its caption";
    EXPECT_EQ(status(window), L"");
    screenshot(window.hwnd(), L"-playing");

    // The readings start with the text shown now, the first one or a later one.
    const auto readings = watchUntilIdle(window, Millis{kShortMs + 5000});
    const auto idleAfter = std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - pressed);
    GetLocalTime(&after);

    // The monitor counted up through the jingle and showed its length.
    ASSERT_GE(readings.size(), 3u) << "too few monitor texts";
    for (size_t i = 1; i < readings.size(); ++i) {
        EXPECT_GT(readings[i].position, readings[i - 1].position) << "reading " << i;
        EXPECT_EQ(readings[i].length, readings[0].length);
    }
    EXPECT_NEAR(readings[0].length, kShortMs, 50);
    EXPECT_GE(readings[0].position, first->position);
    EXPECT_LE(readings.back().position, readings.back().length);
    EXPECT_GE(readings.back().position, kShortMs / 2) << "the last text came early in the jingle";
    // "(- -)" comes with the natural end, not before.
    EXPECT_GE(idleAfter.count(), kShortMs - 100);

    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(1) == L"Kurz"; }, kShowTimeout))
        << "J1 shows \"" << narrow(window.slotCaption(1)) << "\"";
    EXPECT_EQ(window.slotCaption(2), L"Lang");

    const auto lines = logLines();
    ASSERT_TRUE(lines.has_value()) << "no play log";
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0], kLogHeader);
    expectEntry((*lines)[1], shortWav(), before, after);
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(Playback, PressWhilePlayingStopsAndStartsNothing) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);

    pressKey(window, 2);
    const auto playing = waitPlaying(window);
    ASSERT_TRUE(playing.has_value()) << "J2 did not start";
    ASSERT_LT(playing->position, kLongMs - 1500) << "too late in the jingle to tell a stop from its end";
    EXPECT_EQ(playing->length, kLongMs);

    // A mouse click on another slot stops the jingle well before its end.
    const auto stopPressed = std::chrono::steady_clock::now();
    window.click(ids::J1);
    watchUntilIdle(window, Millis{kLongMs});
    const auto stopTook = std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - stopPressed);
    EXPECT_LT(stopTook.count(), kLongMs - playing->position - 700) << "the jingle was not stopped";
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(1) == L"Kurz" && window.slotCaption(2) == L"Lang"; },
                          kShowTimeout))
        << "captions \"" << narrow(window.slotCaption(1)) << "\", \"" << narrow(window.slotCaption(2)) << "\"";
    // Nothing else starts: the pressed slot's jingle does not play.
    EXPECT_FALSE(waitUntil([&] { return parseMonitor(monitor(window)).has_value(); }, Millis{kShortMs / 2}))
        << "a jingle started after the stop";
    EXPECT_EQ(status(window), L"");
    GetLocalTime(&after);

    // Both presses are logged, the stopping one with the pressed slot's file.
    const auto lines = logLines();
    ASSERT_TRUE(lines.has_value()) << "no play log";
    ASSERT_EQ(lines->size(), 3u);
    EXPECT_EQ((*lines)[0], kLogHeader);
    expectEntry((*lines)[1], longWav(), before, after);
    expectEntry((*lines)[2], shortWav(), before, after);

    // The next press starts again.
    pressKey(window, 1);
    EXPECT_TRUE(waitPlaying(window).has_value()) << "no start after the stop";
    watchUntilIdle(window, Millis{kShortMs + 5000});
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(Playback, UnassignedSlotAndMissingFileReportNotFound) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(window.slotCaption(3), kUnbelegt);
    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);

    pressKey(window, 3);
    EXPECT_TRUE(waitUntil([&] { return status(window) == kNotFound; }, kPlayTimeout))
        << "status \"" << narrow(status(window)) << "\"";
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(3) == kUnbelegt && monitor(window) == kIdle; },
                          kShowTimeout));
    GetLocalTime(&after);
    auto lines = logLines();
    ASSERT_TRUE(lines.has_value()) << "no play log";
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0], kLogHeader);
    expectEntry((*lines)[1], L"", before, after);
    EXPECT_EQ((*lines)[1].substr((*lines)[1].size() - 2), L"  ") << "no empty name and path";

    // A log deleted while the program runs comes back with its header.
    ASSERT_TRUE(DeleteFileW(logPath().c_str()));
    GetLocalTime(&before);
    pressKey(window, 4);
    ASSERT_TRUE(waitUntil([&] { return fileExists(logPath()); }, kPlayTimeout)) << "F4 was not logged";
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(4) == L"Fehlt" && monitor(window) == kIdle; },
                          kShowTimeout));
    // The error text stays after the monitor's end of jingle.
    EXPECT_EQ(status(window), kNotFound);
    EXPECT_EQ(windowText(window.control(ids::StatusBarMain)), kNotFound);
    GetLocalTime(&after);
    lines = logLines();
    ASSERT_TRUE(lines.has_value()) << "the log was not created again";
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0], kLogHeader);
    expectEntry((*lines)[1], missingWav(), before, after);

    // The next press clears the status text.
    pressKey(window, 1);
    EXPECT_TRUE(waitPlaying(window).has_value());
    EXPECT_EQ(status(window), L"");
    watchUntilIdle(window, Millis{kShortMs + 5000});
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(Playback, TextNamedLikeAWavShowsErrorNumberAndWhatIsWrong) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    pressKey(window, 5);
    const std::wstring expected = L"Fehler 104 : Die Datei ist keine Audiodatei.";
    std::wstring shown;
    EXPECT_TRUE(waitUntil([&] {
        shown = status(window);
        return shown == expected;
    }, kPlayTimeout)) << "status \"" << narrow(shown) << "\"";
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(5) == L"Kaputt" && monitor(window) == kIdle; },
                          kShowTimeout));
    EXPECT_EQ(status(window), shown) << "the error text did not stay";
    screenshot(window.hwnd());

    const auto lines = logLines();
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_NE((*lines)[1].find(L" text als.wav " + media() + L"\\"), std::wstring::npos) << narrow((*lines)[1]);
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(Playback, Mp3PlaysToItsEnd) {
    if (builtMp3().empty()) GTEST_SKIP() << "no MP3 was made at build time (sox or lame missing)";
    ASSERT_TRUE(fileExists(builtMp3())) << narrow(builtMp3());
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(window.slotCaption(6), L"MP3");

    pressKey(window, 6);
    const auto first = waitPlaying(window);
    ASSERT_TRUE(first.has_value()) << "monitor \"" << narrow(monitor(window)) << "\", status \""
                                   << narrow(status(window)) << "\"";
    EXPECT_EQ(window.slotCaption(6), L">>");
    // 1.5 s of tone; the encoder adds a few frames.
    EXPECT_GE(first->length, 1400);
    EXPECT_LE(first->length, 1700);
    const auto rest = watchUntilIdle(window, Millis{first->length + 5000});
    ASSERT_FALSE(rest.empty()) << "the monitor did not count";
    EXPECT_GT(rest.back().position, first->position);
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(6) == L"MP3"; }, kShowTimeout));
    EXPECT_EQ(status(window), L"");
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

// A held key: the first key-down, then the keyboard's repeats (bit 30: the key was down).
TEST_F(Playback, HeldFunctionKeyFiresOnlyForItsFirstKeyDown) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    constexpr LPARAM kRepeat = static_cast<LPARAM>(0x40000001u);
    PostMessageW(window.hwnd(), WM_KEYDOWN, VK_F2, 1);
    for (int i = 0; i < 30; ++i) PostMessageW(window.hwnd(), WM_KEYDOWN, VK_F2, kRepeat);
    PostMessageW(window.hwnd(), WM_KEYUP, VK_F2, static_cast<LPARAM>(0xC0000001u));
    ASSERT_TRUE(waitUntil([&] { return window.slotCaption(2) == L">>"; }, kPlayTimeout)) << "no marker";
    // The log is read once, after the repeats had time to be served: a reader that holds the
    // file open would make the program's appends fail.
    Sleep(1500);
    const auto lines = logLines();
    ASSERT_TRUE(lines.has_value()) << "no play log";
    EXPECT_EQ(lines->size(), 2u) << "one line per key-down of the hold";
    ASSERT_TRUE(waitPlaying(window).has_value())
        << "the repeats stopped the jingle: \"" << narrow(monitor(window)) << "\"";
    EXPECT_EQ(window.slotCaption(2), L">>");

    // A second press, the key released before it, counts again: it stops the jingle.
    pressKey(window, 2);
    watchUntilIdle(window, Millis{kLongMs});
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(2) == L"Lang"; }, kShowTimeout));
    ASSERT_TRUE(logLines().has_value());
    EXPECT_EQ(logLines()->size(), 3u);
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
