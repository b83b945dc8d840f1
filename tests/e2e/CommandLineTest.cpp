// Jingles fired from other programs: "Kavinta.exe /play N" and "/stop" hand the command to
// the copy that runs and end at once; without a running copy the program starts and runs it
// once the first category is shown; bad arguments show the usage and end with 2; a running
// copy that cannot be reached ends the new process with 3; the running copy takes only its
// own WM_COPYDATA block and answers before the command runs.
#include <chrono>
#include <cstring>
#include <optional>
#include <vector>

#include "E2eFixture.h"
#include "app/commandhandover.h"
#include "app/commandpayload.h"
#include "kvdriver/CopyData.h"
#include "kvdriver/StandIn.h"

namespace kv::e2e {
namespace {

constexpr Millis kPlayTimeout{5000};
// A process that waited for a missing window, for the jingle or for a fade would take at
// least this long beyond a hand-over with nothing to do.
constexpr Millis kHandOverSlack{HandOverTiming{}.windowWaitMs / 2};
constexpr int kShortMs = 1200;
constexpr int kLongMs = 4000;

const std::wstring kIdle = L"(- -)";
const std::wstring kUsage = L"Kavinta.exe /play 1…12 | /stop";

class CommandLine : public E2eTest {
protected:
    void SetUp() override {
        createFolders(media());
        ASSERT_TRUE(writeFileBytes(shortWav(), toneWav(kShortMs)));
        ASSERT_TRUE(writeFileBytes(longWav(), toneWav(kLongMs)));
        writeIni(L"[Musik]\r\nText1=Eins\r\nJingle1=" + shortWav() + L"\r\nText2=Zwei\r\nJingle2=" + longWav() +
                 L"\r\nText3=Drei\r\nJingle3=" + longWav() + L"\r\nzentrixfadeoutin=0\r\nwinampfadeoutin=0\r\n" +
                 L"mixerfadeoutin=0\r\n");
    }

    std::wstring media() const { return root() / L"media"; }
    std::wstring shortWav() const { return media() + L"\\kurz.wav"; }
    std::wstring longWav() const { return media() + L"\\lang.wav"; }
    std::wstring logPath() const { return dataFolder() + L"\\KVLOG.LOG"; }

    // A process of the program (or exe) with these arguments, kept for the end of the test.
    Process& launch(const std::wstring& arguments, const std::wstring& exe = programPath()) {
        commands_.push_back(launchWithData(exe, standardData(), arguments));
        return commands_.back();
    }

    // Starts a command process and returns its exit code, how long it ran from its creation
    // to its exit as the system records them, and the time from before its start until its
    // exit was seen (which adds the system's work to start a process: under Wine on a busy
    // host that alone can take most of a second).
    struct Ended {
        std::optional<DWORD> code;
        Millis took{0};
        Millis wall{0};
    };
    Ended runCommand(const std::wstring& arguments, Millis timeout = kExitTimeout) {
        const auto begin = std::chrono::steady_clock::now();
        Process& p = launch(arguments);
        const std::optional<DWORD> code = p.waitExit(timeout);
        const auto wall = std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - begin);
        return {code, code ? lifetime(p) : timeout, wall};
    }
    // "/stop" with nothing playing: a hand-over the running copy takes without doing anything.
    // Its times are this run's baseline for a process of the program that starts, hands a
    // command over and ends.
    Ended idleHandOver() {
        const Ended baseline = runCommand(L"/stop");
        EXPECT_EQ(baseline.code, std::optional<DWORD>(0));
        RecordProperty("baselineMs", static_cast<int>(baseline.took.count()));
        RecordProperty("baselineWallMs", static_cast<int>(baseline.wall.count()));
        return baseline;
    }
    static void expectEndedAtOnce(const Ended& ended, const Ended& baseline) {
        EXPECT_EQ(ended.code, std::optional<DWORD>(0));
        EXPECT_LE(ended.took.count(), (baseline.took + kHandOverSlack).count())
            << "the hand-over took too long; one with nothing to do took " << baseline.took.count() << " ms";
        EXPECT_LE(ended.wall.count(), (baseline.wall + kHandOverSlack).count())
            << "from the start to the exit; with nothing to do " << baseline.wall.count() << " ms";
    }
    static Millis lifetime(const Process& p) {
        FILETIME created{}, exited{}, kernel{}, user{};
        if (!GetProcessTimes(p.handle(), &created, &exited, &kernel, &user)) return Millis{-1};
        auto ticks = [](const FILETIME& t) {
            return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        return Millis{(ticks(exited) - ticks(created)) / 10000};  // 100 ns units
    }

    static std::wstring monitor(const KavintaWindow& window) { return window.text(ids::Jinglestatus); }
    static bool playing(const KavintaWindow& window) { return monitor(window).rfind(L"(spielt: ", 0) == 0; }
    static bool waitPlaying(const KavintaWindow& window) {
        return waitUntil([&] { return playing(window); }, kPlayTimeout, Millis{5});
    }
    static bool waitIdle(const KavintaWindow& window, Millis timeout) {
        return waitUntil([&] { return monitor(window) == kIdle; }, timeout, Millis{5});
    }
    static void pressKey(const KavintaWindow& window, int slot) {
        PostMessageW(window.hwnd(), WM_KEYDOWN, VK_F1 + slot - 1, 1);
        PostMessageW(window.hwnd(), WM_KEYUP, VK_F1 + slot - 1, static_cast<LPARAM>(0xC0000001u));
    }

    // The play log's entry lines (without the header); empty when there is no log.
    std::vector<std::wstring> logEntries() const {
        std::vector<std::wstring> lines;
        const auto bytes = readFileBytes(logPath());
        if (!bytes) return lines;
        const std::wstring text(bytes->begin(), bytes->end());  // the paths here are ASCII
        size_t begin = 0;
        for (size_t end; (end = text.find(L"\r\n", begin)) != std::wstring::npos; begin = end + 2)
            lines.push_back(text.substr(begin, end - begin));
        if (!lines.empty()) lines.erase(lines.begin());
        return lines;
    }
    static bool endsWith(const std::wstring& text, const std::wstring& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    }
    // An entry line ends with "<name> <folder>\".
    std::wstring entryEnd(const std::wstring& file) const {
        const size_t slash = file.rfind(L'\\');
        return L" " + file.substr(slash + 1) + L" " + file.substr(0, slash + 1);
    }

    // The running copy shows nothing new: no marker, no jingle, no log line, no box.
    void expectUntouched(const KavintaWindow& window, size_t logLines) {
        EXPECT_FALSE(waitUntil([&] { return playing(window); }, Millis{600})) << "a jingle started";
        EXPECT_EQ(window.slotCaption(1), L"Eins");
        EXPECT_EQ(window.slotCaption(2), L"Zwei");
        EXPECT_EQ(window.slotCaption(3), L"Drei");
        EXPECT_EQ(logEntries().size(), logLines) << "the play log changed";
        EXPECT_FALSE(findMessageBox(process().pid()).has_value()) << "the running copy shows a box";
    }

    // The process shows no window of its own and no message box.
    static void expectNoWindows(const Process& p) {
        EXPECT_TRUE(topLevelWindows(p.pid(), kMainWindowClass).empty());
        EXPECT_FALSE(findMessageBox(p.pid()).has_value());
    }

private:
    std::vector<Process> commands_ = [] {
        std::vector<Process> v;
        v.reserve(16);  // the references handed out stay valid
        return v;
    }();
};

TEST_F(CommandLine, PlayFromASecondProcessFiresTheSlotAsItsKeyAndEndsAtOnce) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(window.slotCaption(3), L"Drei");

    const Ended baseline = idleHandOver();
    const Ended ended = runCommand(L"/play 3");
    RecordProperty("handOverMs", static_cast<int>(ended.took.count()));
    RecordProperty("handOverWallMs", static_cast<int>(ended.wall.count()));
    expectEndedAtOnce(ended, baseline);
    ASSERT_TRUE(waitPlaying(window)) << "J3 did not start; the monitor shows \"" << narrow(monitor(window)) << "\"";
    EXPECT_EQ(window.slotCaption(3), L">>");
    EXPECT_EQ(window.slotCaption(1), L"Eins");
    EXPECT_FALSE(findMessageBox(process().pid()).has_value());
    screenshot(window.hwnd(), L"-playing");

    const std::vector<std::wstring> entries = logEntries();
    ASSERT_EQ(entries.size(), 1u) << "no single log line for the command";
    EXPECT_TRUE(endsWith(entries[0], entryEnd(longWav()))) << narrow(entries[0]);

    // A second "/play 3" is a second press: it stops J3 and starts nothing.
    EXPECT_EQ(runCommand(L"/play 3").code, std::optional<DWORD>(0));
    EXPECT_TRUE(waitIdle(window, Millis{kLongMs / 2})) << "the second /play 3 did not stop the jingle";
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(3) == L"Drei"; }, kShowTimeout));
    EXPECT_EQ(logEntries().size(), 2u);
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(CommandLine, StopEndsThePlayingJingleAsASecondPressAndIsIgnoredWhenNothingPlays) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    // With nothing playing a stop changes nothing (a press would start a jingle).
    const Ended baseline = idleHandOver();
    expectUntouched(window, 0);

    pressKey(window, 2);
    ASSERT_TRUE(waitPlaying(window)) << "F2 did not start J2";
    const auto stopAt = std::chrono::steady_clock::now();
    const Ended ended = runCommand(L"/stop");
    RecordProperty("stopHandOverMs", static_cast<int>(ended.took.count()));
    RecordProperty("stopHandOverWallMs", static_cast<int>(ended.wall.count()));
    expectEndedAtOnce(ended, baseline);
    EXPECT_TRUE(waitIdle(window, Millis{kLongMs})) << "the monitor did not come back";
    const auto stopTook = std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - stopAt);
    EXPECT_LT(stopTook.count(), kLongMs - 1000) << "J2 was not stopped, it ended by itself";
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(2) == L"Zwei"; }, kShowTimeout));
    EXPECT_FALSE(waitUntil([&] { return playing(window); }, Millis{600})) << "the stop started a jingle";

    // Logged like a second press of F2: J2's file twice.
    std::vector<std::wstring> entries = logEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(endsWith(entries[0], entryEnd(longWav()))) << narrow(entries[0]);
    EXPECT_TRUE(endsWith(entries[1], entryEnd(longWav()))) << narrow(entries[1]);
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(CommandLine, BadArgumentsShowTheUsageEndWithTwoAndLeaveTheRunningCopyAlone) {
    // Also without a running copy: no window, no start.
    {
        Process& alone = launch(L"/foo");
        const auto box = waitMessageBox(alone.pid(), kBoxTimeout);
        ASSERT_TRUE(box.has_value()) << "no usage box";
        EXPECT_EQ(box->text, kUsage);
        EXPECT_TRUE(topLevelWindows(alone.pid(), kMainWindowClass).empty());
        ASSERT_TRUE(pressButton(*box, BoxButton::Ok));
        EXPECT_EQ(alone.waitExit(kExitTimeout), std::optional<DWORD>(2));
    }

    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    for (const wchar_t* arguments : {L"/play 13", L"/play x", L"/foo", L"/play", L"/play 0", L"/stop 1"}) {
        SCOPED_TRACE(narrow(arguments));
        Process& bad = launch(arguments);
        const auto box = waitMessageBox(bad.pid(), kBoxTimeout);
        ASSERT_TRUE(box.has_value()) << "no usage box";
        EXPECT_EQ(box->text, kUsage);
        EXPECT_EQ(box->owner, nullptr);
        EXPECT_TRUE(box->hasOk);
        EXPECT_FALSE(box->hasYes || box->hasNo);
        EXPECT_TRUE(topLevelWindows(bad.pid(), kMainWindowClass).empty());
        if (std::wstring(arguments) == L"/play 13") screenshot(box->hwnd, L"-usage");
        ASSERT_TRUE(pressButton(*box, BoxButton::Ok));
        EXPECT_EQ(bad.waitExit(kExitTimeout), std::optional<DWORD>(2));
    }
    expectUntouched(window, 0);
    EXPECT_TRUE(process().running());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(CommandLine, CraftedCopyDataWithAnotherTagOrSizeChangesNothing) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const CommandPayload play1{kPayloadPlay, 1};

    const CopyDataAnswer wrongTag = sendCopyData(window.hwnd(), kCommandTag ^ 0x20, &play1, sizeof play1);
    EXPECT_TRUE(wrongTag.answered);
    EXPECT_EQ(wrongTag.result, FALSE);
    std::vector<unsigned char> oversized(4096, 0);
    std::memcpy(oversized.data(), &play1, sizeof play1);
    const CopyDataAnswer tooLarge = sendCopyData(window.hwnd(), kCommandTag, oversized.data(),
                                                 static_cast<DWORD>(oversized.size()));
    EXPECT_TRUE(tooLarge.answered);
    EXPECT_EQ(tooLarge.result, FALSE);
    const CopyDataAnswer tooShort = sendCopyData(window.hwnd(), kCommandTag, &play1, 4);
    EXPECT_EQ(tooShort.result, FALSE);
    const CommandPayload play13{kPayloadPlay, 13};
    EXPECT_EQ(sendCopyData(window.hwnd(), kCommandTag, &play13, sizeof play13).result, FALSE);
    const CopyDataAnswer empty = sendCopyData(window.hwnd(), kCommandTag, nullptr, 0);
    EXPECT_EQ(empty.result, FALSE);
    expectUntouched(window, 0);

    // The same block under its own tag and size is taken and fires J1.
    const CopyDataAnswer right = sendCopyData(window.hwnd(), kCommandTag, &play1, sizeof play1);
    EXPECT_EQ(right.result, TRUE);
    EXPECT_TRUE(waitPlaying(window)) << "the well-formed block did not fire J1";
    EXPECT_EQ(window.slotCaption(1), L">>");
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(CommandLine, TheRunningCopyAnswersBeforeABlockingFadeOutRuns) {
    // Fade-out before the jingle with Winamp: the press waits for 26 volume steps of 50 ms.
    writeIni(L"[Musik]\r\nText1=Eins\r\nJingle1=" + shortWav() +
             L"\r\nzentrixfadeoutin=0\r\nwinampfadeoutin=1\r\nmixerfadeoutin=0\r\nfo1=1\r\nfo2=0\r\nfi=0\r\n"
             L"cf=0\r\nfopos=0\r\njingleendezeit=0\r\n");
    StandIn winamp(toWindowsPath(fromUtf8(KV_E2E_STANDIN_WINAMP)), kWinampClass, root() / L"winamp.log");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    const CommandPayload play1{kPayloadPlay, 1};
    const CopyDataAnswer answer = sendCopyData(window.hwnd(), kCommandTag, &play1, sizeof play1);
    EXPECT_EQ(answer.result, TRUE);
    EXPECT_LT(answer.took.count(), 200) << "the send waited for the command";
    // The fade runs after the answer, then the jingle.
    EXPECT_TRUE(waitUntil([&] { return winamp.userMessages().size() >= 5; }, kPlayTimeout)) << "no fade-out";
    EXPECT_TRUE(waitPlaying(window));
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(CommandLine, PlayWithoutARunningCopyStartsAndPlaysOnceTheCategoryIsShown) {
    Process& first = launch(L"/play 2");
    const auto window = KavintaWindow::waitFor(first.pid(), kStartTimeout);
    ASSERT_TRUE(window.has_value()) << "the program did not start";
    EXPECT_TRUE(window->waitCategoryShown(kShowTimeout));
    EXPECT_EQ(window->currentCategory(), L"Musik");
    ASSERT_TRUE(waitPlaying(*window)) << "J2 did not start";
    EXPECT_EQ(window->slotCaption(2), L">>");
    EXPECT_EQ(window->slotCaption(1), L"Eins");
    EXPECT_FALSE(findMessageBox(first.pid()).has_value());
    screenshot(window->hwnd());
    const std::vector<std::wstring> entries = logEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(endsWith(entries[0], entryEnd(longWav()))) << narrow(entries[0]);

    // This copy now holds the place: a start without arguments is refused as ever.
    Process& second = start(standardData());
    const auto box = waitMessageBox(second.pid(), kBoxTimeout);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"Anwendung \"Kavinta.exe\" läuft bereits!");
    ASSERT_TRUE(pressButton(*box, BoxButton::Ok));
    EXPECT_EQ(second.waitExit(kExitTimeout), std::optional<DWORD>(0));

    EXPECT_EQ(closeAndWait(*window, first), std::optional<DWORD>(0));
}

TEST_F(CommandLine, ACopyWhoseWindowComesLateStillGetsTheCommand) {
    // The mutex is held while the command process looks for a window that is not there yet.
    UniqueHandle held(CreateMutexW(nullptr, TRUE, L"Kavinta.exe"));
    ASSERT_TRUE(held) << GetLastError();
    Process& command = launch(L"/play 1");
    Sleep(800);  // it has found the mutex taken (a process starts in about 0.5 s) and looks
    ASSERT_TRUE(command.running());
    held.reset();
    KavintaWindow window = startMain(standardData());
    ASSERT_NE(window.hwnd(), nullptr)
        << (topLevelWindows(command.pid(), kMainWindowClass).empty()
                ? "" : "the command process came after the mutex was let go and started as the first copy");
    EXPECT_EQ(command.waitExit(kExitTimeout), std::optional<DWORD>(0));
    EXPECT_TRUE(waitPlaying(window)) << "J1 did not start";
    EXPECT_EQ(window.slotCaption(1), L">>");
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(CommandLine, ARunningCopyWithoutItsWindowEndsTheCommandWithThree) {
    // Another program file's copy runs with a window of the same class: not the copy that
    // holds the mutex of Kavinta.exe, so it is not told.
    createFolders(root() / L"copy");
    const std::wstring other = root() / L"copy\\KavintaZwei.exe";
    ASSERT_TRUE(CopyFileW(programPath().c_str(), other.c_str(), FALSE));
    Process& otherCopy = start(standardData(), other);
    const auto otherWindow = KavintaWindow::waitFor(otherCopy.pid(), kStartTimeout);
    ASSERT_TRUE(otherWindow.has_value());
    ASSERT_TRUE(otherWindow->waitCategoryShown(kShowTimeout));

    UniqueHandle held(CreateMutexW(nullptr, TRUE, L"Kavinta.exe"));
    ASSERT_TRUE(held) << GetLastError();
    const Ended ended = runCommand(L"/play 1");
    EXPECT_EQ(ended.code, std::optional<DWORD>(3));
    EXPECT_GE(ended.took.count(), 2000) << "gave up before the window could come";
    EXPECT_LE(ended.took.count(), 6000);
    EXPECT_FALSE(waitUntil([&] { return playing(*otherWindow); }, Millis{500})) << "the other copy was told";
    EXPECT_EQ(otherWindow->slotCaption(1), L"Eins");
    EXPECT_TRUE(logEntries().empty());
    EXPECT_EQ(closeAndWait(*otherWindow, otherCopy), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
