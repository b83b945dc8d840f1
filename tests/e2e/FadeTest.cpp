// Fades around jingles of the real program, recorded by the stand-in players of
// tools/standin: the messages Winamp and the companion application get for every fade
// option, Send versus Post, when they come against the jingle's start and end, the
// refusal of a cross-fade with Winamp, a player that stops answering, and the session
// list under Wine (no sessions there) keeping the stored session. Then what the operator
// meets on air: in every ordinary sequence, at the close and after a crash, each player
// is back at its own level two seconds after the jingle's end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "E2eFixture.h"
#include "app/commandpayload.h"
#include "kvdriver/CopyData.h"
#include "kvdriver/StandIn.h"
#include "remote/RemotePlayerControl_unit.h"

namespace kv::e2e {
namespace {

constexpr int kJingleMs = 700;
constexpr Millis kPlayTimeout{5000};
constexpr long long kEndSlackUs = 250000;  // the monitor's 77 ms ticks, before and after
constexpr unsigned kWinampIpc = 0x400;
constexpr long long kSetVolume = 122;
constexpr long long kQueryVolume = -666;
constexpr unsigned kFadeWait = 0x402, kFadeNoWait = 0x403;

const std::wstring kIdle = L"(- -)";
const std::wstring kRefusal =
    L"Fadefunktion in gewählter Kombination nicht unterstützt!\n\r"
    L"Bitte wählen Sie eine andere Betriebsart oder andere Playerschnittstelle!";

enum class Player { Companion, Winamp, Mixer };
enum class Out { Before, With };
enum class End { FadeIn, Crossfade, None };

std::wstring standInPath(const char* built) { return toWindowsPath(fromUtf8(built)); }

// The moment the monitor first shows the jingle playing, on the stand-ins' clock. The
// monitor runs on a timer of the message loop, so this also tells that the loop runs
// again after a blocking fade. (MCI's position under Wine runs ahead of the sound, so the
// moment is not computed back from it.)
std::optional<long long> waitJingleShown(const KavintaWindow& window, Millis timeout = kPlayTimeout) {
    std::optional<long long> shown;
    waitUntil([&] {
        const std::wstring text = window.text(ids::Jinglestatus);
        if (text.rfind(L"(spielt: ", 0) != 0) return false;
        shown = clockMicros();
        return true;
    }, timeout, Millis{2});
    return shown;
}

// True once the main window has handled a message sent to it within timeout.
bool answers(HWND hwnd, Millis timeout) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result) != 0;
}

std::string describe(const std::vector<LoggedMessage>& log) {
    std::string text;
    for (const auto& m : log)
        text += m.kind + " " + std::to_string(m.message) + " " + std::to_string(m.wParam) + " " +
                std::to_string(m.lParam) + "\n";
    return text;
}

class Fades : public E2eTest {
protected:
    std::wstring jingle() const { return root() / L"ton.wav"; }
    std::wstring log() const { return root() / L"player.log"; }

    // One category section; J1 plays the tone, J2's file is missing.
    std::wstring category(const std::wstring& name, Player player, std::optional<Out> out, End end, int fopos) const {
        auto flag = [](bool on) { return std::wstring(on ? L"1" : L"0"); };
        return L"[" + name + L"]\r\nText1=Ton\r\nJingle1=" + jingle() + L"\r\nText2=Weg\r\nJingle2=" +
               (root() / L"fehlt.wav") + L"\r\nzentrixfadeoutin=" + flag(player == Player::Companion) +
               L"\r\nwinampfadeoutin=" + flag(player == Player::Winamp) +
               L"\r\nmixerfadeoutin=" + flag(player == Player::Mixer) +
               L"\r\nmixerfadeoutin_name=Musikplayer\r\nfo1=" + flag(out == Out::Before) +
               L"\r\nfo2=" + flag(out == Out::With) + L"\r\nfi=" + flag(end == End::FadeIn) +
               L"\r\ncf=" + flag(end == End::Crossfade) + L"\r\nfopos=" + std::to_wstring(fopos) +
               L"\r\njingleendezeit=0\r\n";
    }
    void writeCategory(Player player, std::optional<Out> out, End end, int fopos, int jingleMs = kJingleMs) {
        ASSERT_TRUE(writeFileBytes(jingle(), toneWav(jingleMs)));
        writeIni(category(L"Musik", player, out, end, fopos));
    }

    StandIn& startWinamp(const std::wstring& arguments) {
        player_.emplace(standInPath(KV_E2E_STANDIN_WINAMP), kWinampClass, log(), arguments);
        return *player_;
    }
    StandIn& startCompanion(const std::wstring& arguments) {
        player_.emplace(standInPath(KV_E2E_STANDIN_COMPANION), kCompanionClass, log(), arguments);
        return *player_;
    }

    static void pressF(const KavintaWindow& window, int n) {
        PostMessageW(window.hwnd(), WM_KEYDOWN, VK_F1 + n - 1, 1);
        PostMessageW(window.hwnd(), WM_KEYUP, VK_F1 + n - 1, static_cast<LPARAM>(0xC0000001u));
    }
    static void pressF1(const KavintaWindow& window) { pressF(window, 1); }

    // The Winamp stand-in started with arguments, then the program with the first category
    // shown in window_.
    bool startWithWinamp(const std::wstring& arguments) {
        startWinamp(arguments);
        window_.emplace(startShown(standardData()));
        return window_->hwnd() != nullptr;
    }

    // Waits for the jingle's end: the monitor idle and J1 showing its caption again.
    static bool waitJingleOver(const KavintaWindow& window) {
        return waitUntil([&] { return window.text(ids::Jinglestatus) == kIdle && window.slotCaption(1) == L"Ton"; },
                         Millis{kJingleMs + 5000});
    }

    // Waits until the stand-in has logged count messages from WM_USER on.
    std::vector<LoggedMessage> waitMessages(size_t count, Millis timeout) {
        waitUntil([&] { return player_->userMessages().size() >= count; }, timeout);
        return player_->userMessages();
    }

    // Winamp's volume as Winamp answers it now.
    static std::optional<long long> volume(const StandIn& winamp) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(winamp.hwnd(), kWinampIpc, static_cast<WPARAM>(kQueryVolume), kSetVolume,
                                 SMTO_NORMAL, 5000, &result))
            return std::nullopt;
        return static_cast<long long>(result);
    }
    // The last volume Kavinta set, from the stand-in's log.
    static std::optional<long long> lastSet(const StandIn& winamp) {
        std::optional<long long> last;
        for (const auto& m : winamp.userMessages())
            if (m.message == kWinampIpc && m.lParam == kSetVolume && m.wParam != kQueryVolume) last = m.wParam;
        return last;
    }
    static bool waitLastSet(const StandIn& winamp, long long value, Millis timeout = Millis{5000}) {
        return waitUntil([&] { return lastSet(winamp) == value; }, timeout);
    }
    // A jingle played to its end, and the player's level two seconds later.
    std::optional<long long> levelAfterTheEnd(const KavintaWindow& window, const StandIn& winamp) {
        if (!waitJingleOver(window)) return std::nullopt;
        Sleep(2000);
        return volume(winamp);
    }

    std::optional<StandIn> player_;
    std::optional<KavintaWindow> window_;
};

void expectWinampSets(const std::vector<LoggedMessage>& log, size_t from, const std::vector<long long>& volumes) {
    ASSERT_GE(log.size(), from + volumes.size()) << describe(log);
    for (size_t i = 0; i < volumes.size(); ++i) {
        const auto& m = log[from + i];
        EXPECT_EQ(m.kind, "sent") << "message " << from + i;
        EXPECT_EQ(m.message, kWinampIpc);
        EXPECT_EQ(m.wParam, volumes[i]) << "message " << from + i << "\n" << describe(log);
        EXPECT_EQ(m.lParam, kSetVolume);
    }
}

void expectWinampQuery(const LoggedMessage& m) {
    EXPECT_EQ(m.kind, "sent");
    EXPECT_EQ(m.message, kWinampIpc);
    EXPECT_EQ(m.wParam, kQueryVolume);
    EXPECT_EQ(m.lParam, kSetVolume);
}

std::vector<long long> range(long long from, long long to, long long step) {
    std::vector<long long> values;
    for (long long v = from; step > 0 ? v < to : v > to; v += step) values.push_back(v);
    values.push_back(to);
    return values;
}

TEST_F(Fades, WinampBlockingFadeOutEndsBeforeTheJingleAndFadesBackAtItsEnd) {
    writeCategory(Player::Winamp, Out::Before, End::FadeIn, 30);
    ASSERT_TRUE(startWithWinamp(L"--volume 200"));
    const KavintaWindow& window = *window_;
    StandIn& winamp = *player_;

    pressF1(window);
    const auto shown = waitJingleShown(window);
    ASSERT_TRUE(shown.has_value()) << "the jingle did not start";
    ASSERT_TRUE(waitJingleOver(window));
    const auto log = waitMessages(1 + 13 + 1 + 13, Millis{3000});

    // 30 % of 255 is 76: from 200 in steps of 10, the target last, then back to 200.
    ASSERT_EQ(log.size(), 28u) << describe(log);
    expectWinampQuery(log[0]);
    expectWinampSets(log, 1, range(190, 76, -10));
    expectWinampQuery(log[14]);
    expectWinampSets(log, 15, range(86, 200, 10));
    EXPECT_EQ(winamp.log().back().kind, "replied");

    // The fade-out was over when the jingle started; it took its 12 pauses of 50 ms.
    EXPECT_LE(log[13].micros, *shown) << "last set " << (log[13].micros - *shown) / 1000
                                      << " ms after the jingle was shown playing";
    EXPECT_GE(log[13].micros - log[1].micros, 12 * 50000 - 20000);
    // The fade-in came with the jingle's end and ran on the timer.
    EXPECT_GE(log[14].micros, *shown + kJingleMs * 1000 - kEndSlackUs);
    EXPECT_GE(log[27].micros - log[15].micros, 12 * 40000);
}

TEST_F(Fades, WinampFadeOutWithTheJingleAndCrossfadeRefusedAtItsEnd) {
    writeCategory(Player::Winamp, Out::With, End::Crossfade, 0);
    ASSERT_TRUE(startWithWinamp(L"--volume 120"));
    const KavintaWindow& window = *window_;
    StandIn& winamp = *player_;

    pressF1(window);
    const auto shown = waitJingleShown(window);
    ASSERT_TRUE(shown.has_value()) << "the jingle did not start";
    const auto box = waitMessageBox(process().pid(), Millis{kJingleMs + 5000});
    ASSERT_TRUE(box.has_value()) << "no refusal at the jingle's end";
    EXPECT_EQ(box->text, kRefusal);
    EXPECT_TRUE(box->hasOk);
    const auto log = winamp.userMessages();

    // From 120 to 0 while the jingle plays; nothing for Winamp at the end.
    ASSERT_EQ(log.size(), 13u) << describe(log);
    expectWinampQuery(log[0]);
    expectWinampSets(log, 1, range(110, 0, -10));
    EXPECT_LT(*shown, log[12].micros - 300000) << "the fade was not running while the jingle played";
    EXPECT_GE(log[1].micros, log[0].micros + 30000) << "the first step came before the first tick";

    ASSERT_TRUE(pressButton(*box, BoxButton::Ok));
    EXPECT_TRUE(waitBoxClosed(*box, kShowTimeout));
    EXPECT_TRUE(waitJingleOver(window));
    EXPECT_EQ(winamp.userMessages().size(), 13u);
}

TEST_F(Fades, CompanionBlockingFadeOutIsWaitedForThenFadeIn) {
    writeCategory(Player::Companion, Out::Before, End::FadeIn, 25);
    // The companion takes 400 ms over its fade before it answers.
    StandIn& companion = startCompanion(L"--hang-at 1 --hang-ms 400");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    pressF1(window);
    const auto shown = waitJingleShown(window);
    ASSERT_TRUE(shown.has_value()) << "the jingle did not start";
    ASSERT_TRUE(waitJingleOver(window));
    const auto log = waitMessages(2, Millis{2000});

    ASSERT_EQ(log.size(), 2u) << describe(log);
    EXPECT_EQ(log[0].kind, "sent");
    EXPECT_EQ(log[0].message, kFadeWait);
    EXPECT_EQ(log[0].wParam, 112);
    EXPECT_EQ(log[0].lParam, 25);
    EXPECT_EQ(log[1].kind, "sent");
    EXPECT_EQ(log[1].message, kFadeNoWait);
    EXPECT_EQ(log[1].wParam, 111);
    EXPECT_EQ(log[1].lParam, 0);

    long long replied = 0;
    for (const auto& m : companion.log())
        if (m.kind == "replied" && m.message == kFadeWait) replied = m.micros;
    ASSERT_NE(replied, 0);
    EXPECT_GE(*shown, replied) << "the jingle started before the companion's fade was over";
    EXPECT_GE(log[1].micros, *shown + kJingleMs * 1000 - kEndSlackUs) << "the fade-in came before the jingle's end";
}

TEST_F(Fades, CompanionFadeOutWithTheJingleThenCrossfadeSentAndPosted) {
    // With cross-fade on, the category loads with the target at 0.
    writeCategory(Player::Companion, Out::With, End::Crossfade, 40);
    StandIn& companion = startCompanion(L"");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    pressF1(window);
    const auto shown = waitJingleShown(window);
    ASSERT_TRUE(shown.has_value()) << "the jingle did not start";
    ASSERT_TRUE(waitJingleOver(window));
    const auto log = waitMessages(3, Millis{2000});

    ASSERT_EQ(log.size(), 3u) << describe(log);
    EXPECT_EQ(log[0].kind, "sent");
    EXPECT_EQ(log[0].message, kFadeNoWait);
    EXPECT_EQ(log[0].wParam, 112);
    EXPECT_EQ(log[0].lParam, 0);
    EXPECT_EQ(log[1].kind, "sent");
    EXPECT_EQ(log[1].message, kFadeWait);
    EXPECT_EQ(log[1].wParam, 111);
    EXPECT_EQ(log[1].lParam, 1);
    EXPECT_EQ(log[2].kind, "posted");
    EXPECT_EQ(log[2].message, kFadeWait);
    EXPECT_EQ(log[2].wParam, 110);
    EXPECT_EQ(log[2].lParam, 0);
    EXPECT_GE(log[1].micros, *shown + kJingleMs * 1000 - kEndSlackUs);
    EXPECT_TRUE(companion.process().running());
    EXPECT_FALSE(findMessageBox(process().pid()).has_value()) << "a box came with the companion";
}

TEST_F(Fades, WinampHangingInAFadeIsGivenUpOnWithinOneSecond) {
    writeCategory(Player::Winamp, Out::Before, End::None, 0);
    // The query and the first set are answered; the second set hangs for 2.5 s.
    ASSERT_TRUE(startWithWinamp(L"--volume 200 --hang-at 3 --hang-ms 2500"));
    const KavintaWindow& window = *window_;
    StandIn& winamp = *player_;

    pressF1(window);
    const auto log = waitMessages(3, Millis{3000});
    ASSERT_EQ(log.size(), 3u) << describe(log);
    // The loop runs again (the monitor shows the jingle) and answers the driver.
    const auto shown = waitJingleShown(window, Millis{4000});
    ASSERT_TRUE(shown.has_value()) << "the jingle did not play";
    EXPECT_LT(*shown - log[2].micros, 2000000) << "back " << (*shown - log[2].micros) / 1000
                                               << " ms after Winamp hung";
    EXPECT_TRUE(answers(window.hwnd(), Millis{500}));

    // Once the stand-in answers again, nothing more of that fade reaches it.
    waitUntil([&] { return winamp.log().back().kind == "replied"; }, Millis{3000});
    ASSERT_TRUE(waitJingleOver(window));
    EXPECT_EQ(winamp.userMessages().size(), 3u) << describe(winamp.userMessages());
}

TEST_F(Fades, WinampThatIsHungAlreadyIsSkippedAtOnce) {
    // "Musik" fades with Winamp, "Ohne" plays the same jingle without a fade: its press is
    // the baseline of this run for how long a press takes to show the jingle.
    ASSERT_TRUE(writeFileBytes(jingle(), toneWav(kJingleMs)));
    writeIni(category(L"Musik", Player::Winamp, Out::Before, End::FadeIn, 0) +
             category(L"Ohne", Player::Companion, std::nullopt, End::None, 0));
    // The stand-in's window exists, but its thread takes no message for 12 s; after 5 s
    // without taking messages the system counts it as hung.
    const long long hungSince = clockMicros();
    StandIn& winamp = startWinamp(L"--volume 200 --hang-start --hang-ms 12000");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const auto pressToShown = [&]() -> std::optional<long long> {
        const long long pressed = clockMicros();
        pressF1(window);
        const auto shown = waitJingleShown(window, Millis{3000});
        if (!shown) return std::nullopt;
        return *shown - pressed;
    };
    userSelectComboItem(window.control(ids::kategorie), 1);
    ASSERT_TRUE(waitUntil([&] { return window.currentCategory() == L"Ohne"; }, kShowTimeout));
    // The first press after the start opens the sound device: the quicker of two presses.
    std::optional<long long> baseline;
    for (int press = 0; press < 2; ++press) {
        const auto plain = pressToShown();
        ASSERT_TRUE(plain.has_value()) << "the jingle without a fade did not play";
        ASSERT_TRUE(waitJingleOver(window));
        baseline = std::min(baseline.value_or(*plain), *plain);
    }
    userSelectComboItem(window.control(ids::kategorie), 0);
    ASSERT_TRUE(waitUntil([&] { return window.currentCategory() == L"Musik"; }, kShowTimeout));
    const auto hung = std::chrono::microseconds(hungSince + 5500000 - clockMicros());
    if (hung.count() > 0) Sleep(static_cast<DWORD>(hung.count() / 1000));

    // Asking the hung window would cost the program's answer timeout; skipped, the press
    // takes about as long as the one without a fade.
    const auto took = pressToShown();
    ASSERT_TRUE(took.has_value()) << "the jingle did not play";
    RecordProperty("baselineMs", static_cast<int>(*baseline / 1000));
    RecordProperty("hungMs", static_cast<int>(*took / 1000));
    EXPECT_LT(*took, *baseline + remote::kMessageTimeoutMs * 1000 / 2)
        << "the jingle came " << *took / 1000 << " ms after the press, " << *baseline / 1000 << " ms without a fade";
    EXPECT_TRUE(answers(window.hwnd(), Millis{500}));
    ASSERT_TRUE(waitJingleOver(window));
    EXPECT_TRUE(winamp.userMessages().empty()) << describe(winamp.userMessages());
}

TEST_F(Fades, CompanionHangingInItsBlockingFadeOutIsGivenUpOnWithinTenSeconds) {
    writeCategory(Player::Companion, Out::Before, End::None, 0);
    startCompanion(L"--hang-at 1 --hang-ms 20000");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    pressF1(window);
    const auto log = waitMessages(1, Millis{3000});
    ASSERT_EQ(log.size(), 1u) << describe(log);
    EXPECT_EQ(log[0].message, kFadeWait);
    const auto shown = waitJingleShown(window, Millis{13000});
    ASSERT_TRUE(shown.has_value()) << "the jingle did not play";
    EXPECT_LT(*shown - log[0].micros, 11000000) << "back " << (*shown - log[0].micros) / 1000
                                                << " ms after the companion hung";
    EXPECT_TRUE(answers(window.hwnd(), Millis{500}));
}

TEST_F(Fades, OpeningTheEmptySessionListSavesAndKeepsTheStoredSession) {
    writeCategory(Player::Mixer, Out::Before, End::FadeIn, 0);
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND combo = window.control(ids::cb_mfade_mixer);
    ASSERT_EQ(comboSelectedText(combo), L"Musikplayer");
    const auto before = readFileBytes(iniPath());

    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(combo, CB_SHOWDROPDOWN, TRUE, 0, SMTO_NORMAL, 5000, &result), 0);
    EXPECT_TRUE(comboDropped(combo));
    ASSERT_NE(SendMessageTimeoutW(combo, CB_SHOWDROPDOWN, FALSE, 0, SMTO_NORMAL, 5000, &result), 0);

    // The save wrote the whole section (the written one lacks keys), the name kept.
    EXPECT_TRUE(waitUntil([&] { return readFileBytes(iniPath()) != before; }, kSaveTimeout)) << "no save";
    const IniSnapshot ini = readIni();
    EXPECT_EQ(ini.value(L"Musik", L"mixerfadeoutin_name"), L"Musikplayer");
    EXPECT_TRUE(ini.value(L"Musik", L"jingletimerval").has_value()) << "the save did not write the section";
    EXPECT_EQ(comboItems(combo), std::vector<std::wstring>{L"Musikplayer"});
    EXPECT_EQ(comboSelectedText(combo), L"Musikplayer");
    EXPECT_EQ(window.text(ids::cb_mfade_mixer), L"Musikplayer");

    // A jingle with the mixer chosen and no session plays and asks nothing.
    pressF1(window);
    EXPECT_TRUE(waitJingleShown(window).has_value());
    EXPECT_TRUE(waitJingleOver(window));
    EXPECT_FALSE(findMessageBox(process().pid()).has_value());
}

// --- The music comes back (Winamp at 200, "Fadeout bis Pos:" at 20 %: 51 while ducked)

TEST_F(Fades, MusicComesBackThroughOrdinarySequences) {
    writeCategory(Player::Winamp, Out::Before, End::FadeIn, 20);
    ASSERT_TRUE(startWithWinamp(L"--volume 200"));
    const KavintaWindow& window = *window_;
    StandIn& winamp = *player_;

    // A jingle fired while the fade-in of the one before runs.
    pressF1(window);
    ASSERT_TRUE(waitJingleOver(window));
    ASSERT_TRUE(waitUntil([&] { auto v = lastSet(winamp); return v && *v > 51 && *v < 200; }, Millis{3000}));
    pressF1(window);
    ASSERT_TRUE(waitJingleShown(window).has_value());
    EXPECT_EQ(levelAfterTheEnd(window, winamp), 200);

    // A jingle stopped and the next fired at once, while the music is down.
    pressF1(window);
    ASSERT_TRUE(waitJingleShown(window).has_value());
    ASSERT_TRUE(waitLastSet(winamp, 51));
    pressF1(window);
    pressF1(window);
    ASSERT_TRUE(waitJingleShown(window).has_value());
    EXPECT_EQ(levelAfterTheEnd(window, winamp), 200);

    // A jingle that cannot play does not dip the music.
    const size_t before = winamp.userMessages().size();
    pressF(window, 2);
    EXPECT_TRUE(waitUntil([&] { return window.text(ids::StatusBarMain) == L"Fehler : Datei nicht gefunden"; },
                          kShowTimeout));
    Sleep(1000);
    EXPECT_EQ(winamp.userMessages().size(), before) << describe(winamp.userMessages());
}

// A fade-out never raises: a player below the target, or muted, stays where it is.
TEST_F(Fades, NoFadeOutRaisesAPlayer) {
    writeCategory(Player::Winamp, Out::Before, End::FadeIn, 20);
    startWinamp(L"--volume 30");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    for (long long start : {30LL, 0LL}) {
        if (start == 0) player_.emplace(standInPath(KV_E2E_STANDIN_WINAMP), kWinampClass, log(), L"--volume 0");
        pressF1(window);
        ASSERT_TRUE(waitJingleShown(window).has_value());
        EXPECT_EQ(levelAfterTheEnd(window, *player_), start);
        EXPECT_FALSE(lastSet(*player_).has_value()) << describe(player_->userMessages());
    }
}

// With a second Winamp up, the fade-in goes to the window that was faded out.
TEST_F(Fades, TwoWinampWindowsEachKeepTheirLevel) {
    writeCategory(Player::Winamp, Out::Before, End::FadeIn, 20, 2500);
    ASSERT_TRUE(startWithWinamp(L"--volume 200"));
    const KavintaWindow& window = *window_;
    pressF1(window);
    ASSERT_TRUE(waitJingleShown(window).has_value());
    ASSERT_TRUE(waitLastSet(*player_, 51));
    StandIn second(standInPath(KV_E2E_STANDIN_WINAMP), kWinampClass, root() / L"second.log", L"--volume 100");
    EXPECT_EQ(levelAfterTheEnd(window, *player_), 200);
    EXPECT_EQ(volume(second), 100);
    EXPECT_FALSE(lastSet(second).has_value()) << describe(second.userMessages());
}

// The operator changes the category to one with the companion while the jingle plays.
TEST_F(Fades, TheEndGoesToThePlayerThatWasTurnedDown) {
    ASSERT_TRUE(writeFileBytes(jingle(), toneWav(2000)));
    writeIni(category(L"A", Player::Winamp, Out::Before, End::FadeIn, 20) +
             category(L"B", Player::Companion, std::nullopt, End::None, 20));
    ASSERT_TRUE(startWithWinamp(L"--volume 200"));
    const KavintaWindow& window = *window_;
    pressF1(window);
    ASSERT_TRUE(waitJingleShown(window).has_value());
    userSelectComboItem(window.control(ids::kategorie), 1);
    ASSERT_TRUE(waitUntil([&] { return window.checked(ids::c_mfade_Zentrix); }, kShowTimeout));
    EXPECT_EQ(levelAfterTheEnd(window, *player_), 200);
}

// The window closed while the music is down, or the program killed: the music comes back,
// at the close at once, after the kill with the next start.
TEST_F(Fades, CloseOrCrashWhileTheMusicIsDownBringsItBack) {
    writeCategory(Player::Winamp, Out::Before, End::FadeIn, 20, 4000);
    ASSERT_TRUE(startWithWinamp(L"--volume 200"));
    pressF1(*window_);
    ASSERT_TRUE(waitLastSet(*player_, 51));
    EXPECT_EQ(closeAndWait(*window_, process()), std::optional<DWORD>(0));
    EXPECT_EQ(volume(*player_), 200);

    KavintaWindow again = startShown(standardData());
    ASSERT_NE(again.hwnd(), nullptr);
    pressF1(again);
    ASSERT_TRUE(waitUntil([&] { return volume(*player_) == 51; }, Millis{5000}));
    ASSERT_TRUE(waitUntil([&] { const auto ini = settledIni();
        return ini && ini->value(L"KVDUCK", L"1").has_value(); },
                          kSaveTimeout))
        << "no record of the duck";
    process(1).terminate();
    ASSERT_TRUE(process(1).waitExit(kExitTimeout).has_value());
    EXPECT_EQ(volume(*player_), 51);

    KavintaWindow third = startShown(standardData());
    ASSERT_NE(third.hwnd(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return volume(*player_) == 200; }, Millis{3000}));
    EXPECT_TRUE(waitUntil([&] {
        const auto ini = settledIni();
        return ini && !ini->value(L"KVDUCK", L"1").has_value();
    }, kSaveTimeout));
}

// A Winamp that takes 200 to 900 ms over each message: the jingle starts at most half a
// second after the fade's ideal 15 steps of 50 ms, and the target is sent; F-keys pressed
// meanwhile are dropped. The press of a category without fades, in the same run, gives
// what a press takes besides the fade (the start of playback and the monitor's first tick).
TEST_F(Fades, ASlowPlayerDelaysTheJingleAtMostHalfASecond) {
    ASSERT_TRUE(writeFileBytes(jingle(), toneWav(kJingleMs)));
    writeIni(category(L"A", Player::Winamp, std::nullopt, End::None, 20) +
             category(L"B", Player::Winamp, Out::Before, End::FadeIn, 20));
    ASSERT_TRUE(startWithWinamp(L"--volume 200 --answer-ms 200 900"));
    const KavintaWindow& window = *window_;
    auto pressToShown = [&](bool burst) -> std::optional<long long> {
        const long long pressed = clockMicros();
        pressF1(window);
        for (int i = 0; burst && i < 120; ++i) pressF(window, 1 + i % 12);
        const auto shown = waitJingleShown(window);
        if (!shown) return std::nullopt;
        return (*shown - pressed) / 1000;
    };
    const auto withoutFade = pressToShown(false);
    ASSERT_TRUE(withoutFade.has_value());
    ASSERT_TRUE(waitJingleOver(window));
    userSelectComboItem(window.control(ids::kategorie), 1);
    ASSERT_TRUE(waitUntil([&] { return window.checked(ids::auto_fo_vor); }, kShowTimeout));

    const auto withFade = pressToShown(true);
    ASSERT_TRUE(withFade.has_value());
    std::printf("press to jingle shown: %lld ms with the slow player's fade, %lld ms without a fade\n", *withFade,
                *withoutFade);
    EXPECT_LE(*withFade - *withoutFade, 15 * 50 + 500);
    EXPECT_TRUE(answers(window.hwnd(), Millis{500}));
    EXPECT_TRUE(waitLastSet(*player_, 51, Millis{3000})) << describe(player_->userMessages());
    ASSERT_TRUE(waitJingleOver(window));
    EXPECT_TRUE(waitUntil([&] { return volume(*player_) == 200; }, Millis{10000}));
    const auto logText = readFileBytes(dataFolder() + L"\\KVLOG.LOG");
    ASSERT_TRUE(logText.has_value());
    EXPECT_EQ(std::count(logText->begin(), logText->end(), '\n'), 3) << "the header and two presses";
}

// Cross-fade with Winamp, fired five times from another program a second apart: one box.
TEST_F(Fades, OneRefusalBoxAtATime) {
    writeCategory(Player::Winamp, std::nullopt, End::Crossfade, 0);
    ASSERT_TRUE(startWithWinamp(L"--volume 200"));
    const CommandPayload play1{kPayloadPlay, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(sendCopyData(window_->hwnd(), kCommandTag, &play1, sizeof play1).answered);
        Sleep(1000);
    }
    EXPECT_EQ(topLevelWindows(process().pid(), L"#32770").size(), 1u);
}

// Winamp stops answering while it is brought back: the status bar says so.
TEST_F(Fades, AWinampThatStopsAnsweringInTheFadeInIsNamed) {
    writeCategory(Player::Winamp, Out::Before, End::FadeIn, 20);
    // The query and 15 steps down, the query and one step up; the next step hangs.
    ASSERT_TRUE(startWithWinamp(L"--volume 200 --hang-at 19 --hang-ms 3000"));
    pressF1(*window_);
    EXPECT_TRUE(waitUntil([&] {
        return window_->text(ids::StatusBarMain) == L"Winamp antwortet nicht – Musik nicht zurückgeholt";
    }, Millis{kJingleMs + 6000}));
    screenshot(window_->hwnd());
    ASSERT_TRUE(waitIniValue(L"KVDUCK", L"1", L"winamp|" +
                                                 std::to_wstring(reinterpret_cast<std::uintptr_t>(player_->hwnd())) +
                                                 L"|200|51||"));
}

}  // namespace
}  // namespace kv::e2e
