// The fades around a jingle as the main window asks for them: which fade controller
// operation runs for which option and player interface, the fade-in that follows what was
// turned down rather than the options changed meanwhile, the refusal of a cross-fade that
// only the companion can do (one box at a time), the mixer session chosen from the listing,
// and the moments of a slot press at which the fades are asked for.
#include <algorithm>

#include "FormFixture.h"

using namespace kv;
using namespace kv::test;

namespace {

enum class Player { Companion, Winamp, Mixer, None };

class FadeDispatch : public FormFixture {
protected:
    const std::wstring jingle = L"C:\\Jingles\\intro.wav";
    const std::wstring refusal = L"Fadefunktion in gewählter Kombination nicht unterstützt!\n\r"
                                 L"Bitte wählen Sie eine andere Betriebsart oder andere Playerschnittstelle!";
    const std::wstring g1 = L"{11111111-0000-0000-0000-000000000000}";
    const std::wstring g2 = L"{22222222-0000-0000-0000-000000000000}";

    ui::TKavintamainform& startShow() {
        store(L"Show", L"Text1", L"Intro");
        store(L"Show", L"Jingle1", jingle);
        store(L"Show", L"Text2", L"Weg");
        store(L"Show", L"Jingle2", L"C:\\missing.wav");
        files.addFile(jingle);
        auto& f = start();
        f.Fadeoutpos.setPosition(40);
        return f;
    }
    void choose(Player p) {
        form->c_mfade_Zentrix.setChecked(p == Player::Companion);
        form->c_mfade_winamp.setChecked(p == Player::Winamp);
        form->c_mfade_mixer.setChecked(p == Player::Mixer);
    }
    std::vector<std::wstring> takeCalls() { return std::exchange(rcform.calls, {}); }
    // Slot 1 played to its end: the monitor's tick after the player stopped.
    void playToTheEnd() {
        form->slot(1).click();
        player.close();
        form->playerstatustimer.tick();
    }
};

TEST_F(FadeDispatch, FadeOutGoesToThePlayerInterfaceThatIsOn) {
    auto& f = startShow();
    f.cb_mfade_mixer.addItem(L"Player");
    f.cb_mfade_mixer.setItemIndex(0);
    const std::vector<std::pair<Player, std::vector<std::wstring>>> table{
        {Player::Companion, {L"zentrixfadeout(40,true)", L"zentrixfadeout(40,false)"}},
        {Player::Winamp, {L"winampfadeout(40,true)", L"winampfadeout(40,false)"}},
        {Player::Mixer, {L"mixerfadeout(,Player,40,true)", L"mixerfadeout(,Player,40,false)"}},
        {Player::None, {}},
    };
    for (const auto& [chosen, expected] : table) {
        choose(chosen);
        takeCalls();
        f.fadeoutDispatch(true);
        f.fadeoutDispatch(false);
        EXPECT_EQ(takeCalls(), expected);
    }
}

TEST_F(FadeDispatch, JingleEndFadesInWhatWasTurnedDownAndCrossFadesThroughTheCompanion) {
    auto& f = startShow();
    f.auto_fi.setChecked(true);
    for (Player chosen : {Player::Companion, Player::Winamp, Player::Mixer, Player::None}) {
        choose(chosen);
        takeCalls();
        playToTheEnd();
        EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"fadeinDucked"});
    }
    f.auto_crossfade.setChecked(true);
    choose(Player::Companion);
    takeCalls();
    playToTheEnd();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"zentrixcrossfade"});
    choose(Player::None);
    playToTheEnd();
    f.auto_crossfade.setChecked(false);
    playToTheEnd();  // neither option: nothing
    EXPECT_TRUE(takeCalls().empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

// The operator changes the category, the player or the options while a jingle plays: its
// end still brings back what its start turned down.
TEST_F(FadeDispatch, JingleEndFollowsItsStartNotTheControlsChangedMeanwhile) {
    store(L"Zweite", L"winampfadeoutin", L"1");
    store(L"Zweite", L"Jingle1", L"C:\\Jingles\\intro.wav");
    store(L"Show", L"fo1", L"1");
    store(L"Show", L"fi", L"1");
    auto& f = startShow();
    f.slot(1).click();
    f.auto_fi.setChecked(false);
    choose(Player::Mixer);
    f.kategorie.setItemIndex(f.kategorie.indexOf(L"Zweite", false));
    f.kategorieChange();
    takeCalls();
    player.close();
    f.playerstatustimer.tick();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"fadeinDucked"});
    // The next jingle, of a category without the fade-in, leaves what it turned down.
    f.slot(1).click();
    player.close();
    f.playerstatustimer.tick();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{});
}

TEST_F(FadeDispatch, CrossFadeWithWinampOrMixerIsRefusedAtEveryJingleEndOneBoxAtATime) {
    auto& f = startShow();
    f.auto_crossfade.setChecked(true);
    for (Player chosen : {Player::Winamp, Player::Mixer}) {
        choose(chosen);
        dialogs.messages.clear();
        playToTheEnd();
        playToTheEnd();
        ASSERT_EQ(dialogs.messages.size(), 2u);
        EXPECT_EQ(dialogs.messages[0].type, kv::MessageType::Information);
        EXPECT_EQ(dialogs.messages[0].text, refusal);
        EXPECT_EQ(dialogs.messages[1].text, refusal);
        EXPECT_TRUE(f.auto_crossfade.checked());  // the choice itself is never refused
    }
    // A jingle that ends while the box is open (fired from another program) opens none.
    dialogs.messages.clear();
    int nested = 0;
    dialogs.whileShowing = [&] {
        if (nested++ == 0) playToTheEnd();
    };
    playToTheEnd();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    dialogs.whileShowing = nullptr;
    playToTheEnd();
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(FadeDispatch, MixerFadesGoToTheChosenListingEntryByGuidAndName) {
    auto& f = startShow();
    rcform.sessions = {{L"Alpha", g1}, {L"Beta", g2}};
    choose(Player::Mixer);
    f.cb_mfade_mixer.userDropDown();
    f.cb_mfade_mixer.userSelect(1);
    takeCalls();
    f.fadeoutDispatch(true);
    EXPECT_EQ(takeCalls(), (std::vector<std::wstring>{L"mixerfadeout(" + g2 + L",Beta,40,true)"}));
}

TEST_F(FadeDispatch, MixerEntryBeyondTheListingGoesByItsNameAlone) {
    store(L"Show", L"mixerfadeoutin", L"1");
    store(L"Show", L"mixerfadeoutin_name", L"Radio");
    auto& f = startShow();
    rcform.sessions = {{L"Alpha", g1}};
    f.cb_mfade_mixer.userDropDown();
    EXPECT_EQ(f.cb_mfade_mixer.itemIndex(), 1);
    takeCalls();
    f.fadeoutDispatch(false);
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"mixerfadeout(,Radio,40,false)"});
}

TEST_F(FadeDispatch, OpeningTheSessionListRefreshesItAndKeepsTheSessionShown) {
    store(L"Show", L"mixerfadeoutin_name", L"Beta");
    auto& f = startShow();
    rcform.sessions = {{L"Alpha", g1}, {L"Beta", g2}};
    f.cb_mfade_mixer.userDropDown();
    EXPECT_EQ(f.cb_mfade_mixer.items(), (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_EQ(f.cb_mfade_mixer.itemIndex(), 1);
    ASSERT_TRUE(f.mixerList());
    EXPECT_EQ(*f.mixerList(), (ui::MixerList{{L"Alpha", g1}, {L"Beta", g2}}));
    EXPECT_EQ(stored(L"Show", L"mixerfadeoutin_name"), L"Beta");

    // The session does not run now: its name stays after the listing, chosen and stored.
    rcform.sessions = {{L"Alpha", g1}};
    f.cb_mfade_mixer.userDropDown();
    EXPECT_EQ(f.cb_mfade_mixer.items(), (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_EQ(*f.mixerList(), (ui::MixerList{{L"Alpha", g1}}));
    EXPECT_EQ(f.cb_mfade_mixer.text(), L"Beta");
    EXPECT_EQ(stored(L"Show", L"mixerfadeoutin_name"), L"Beta");

    // Nothing was shown: nothing is chosen, and the empty name is stored.
    rcform.sessions = {};
    f.cb_mfade_mixer.clear();
    f.cb_mfade_mixer.userDropDown();
    EXPECT_EQ(f.cb_mfade_mixer.count(), 0);
    EXPECT_EQ(stored(L"Show", L"mixerfadeoutin_name"), L"");
    EXPECT_EQ(std::count(rcform.calls.begin(), rcform.calls.end(), L"mixergetlist"), 3);
}

TEST_F(FadeDispatch, ChoosingAnEntryIsStoredByTheNextSave) {
    auto& f = startShow();
    rcform.sessions = {{L"Alpha", g1}, {L"Beta", g2}};
    f.cb_mfade_mixer.userDropDown();
    f.cb_mfade_mixer.userSelect(0);
    EXPECT_EQ(stored(L"Show", L"mixerfadeoutin_name"), L"");
    f.FadeoutposChange();
    EXPECT_EQ(stored(L"Show", L"mixerfadeoutin_name"), L"Alpha");
}

TEST_F(FadeDispatch, TheListingGoesWithTheWindow) {
    auto& f = startShow();
    f.cb_mfade_mixer.userDropDown();
    EXPECT_TRUE(f.mixerList());
    f.FormClose();
    EXPECT_FALSE(f.mixerList());
}

// --- The moments of a slot press

TEST_F(FadeDispatch, BlockingFadeOutRunsAfterTheOpenBeforeThePlayAndDropsThePressesMeanwhile) {
    auto& f = startShow();
    choose(Player::Winamp);
    f.auto_fo_vor.setChecked(true);
    std::vector<std::size_t> opensAtCall;
    std::vector<bool> playingAtCall;
    rcform.onCall = [&](const std::wstring&) {
        opensAtCall.push_back(player.opened.size());
        playingAtCall.push_back(player.playing);
    };
    takeCalls();
    f.slot(1).click();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"winampfadeout(40,true)"});
    EXPECT_EQ(opensAtCall, std::vector<std::size_t>{1});
    EXPECT_EQ(playingAtCall, std::vector<bool>{false});
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(host.inputDiscards, 1);
}

// A missing file, an empty slot or a file that cannot be opened: the error as always, and
// the music is neither turned down nor, with nothing turned down, brought back.
TEST_F(FadeDispatch, AJingleThatCannotPlayDoesNotDipTheMusic) {
    auto& f = startShow();
    for (Player p : {Player::Winamp, Player::Companion, Player::Mixer}) {
        choose(p);
        for (bool before : {true, false}) {
            f.auto_fo_vor.setChecked(before);
            f.auto_fo_mit.setChecked(!before);
            takeCalls();
            f.slot(2).click();  // its file is missing
            EXPECT_EQ(f.StatusBarMain.panelText(), text(kv::TextId::DateiNichtGefunden));
            f.slot(5).click();  // unassigned
            player.failOpenWith = 263;
            f.slot(1).click();
            player.failOpenWith = 0;
            EXPECT_TRUE(takeCalls().empty());
        }
    }
}

TEST_F(FadeDispatch, FadeOutWithTheJingleRunsOnceItPlays) {
    auto& f = startShow();
    choose(Player::Companion);
    f.auto_fo_mit.setChecked(true);
    std::vector<bool> playingAtCall;
    rcform.onCall = [&](const std::wstring&) { playingAtCall.push_back(player.playing); };
    takeCalls();
    f.slot(1).click();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"zentrixfadeout(40,false)"});
    EXPECT_EQ(playingAtCall, std::vector<bool>{true});
    EXPECT_EQ(host.inputDiscards, 0);
}

TEST_F(FadeDispatch, JingleEndActionRunsOncePerJingleAtTheLeadTime) {
    auto& f = startShow();
    choose(Player::Companion);
    f.auto_fi.setChecked(true);
    f.jingleendezeit.setValue(2000);
    player.lengthMs = 10000;
    f.slot(1).click();
    takeCalls();
    player.positionMs = 7900;  // 2100 ms left
    f.playerstatustimer.tick();
    EXPECT_TRUE(takeCalls().empty());
    player.positionMs = 8100;  // 1900 ms left
    f.playerstatustimer.tick();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"fadeinDucked"});
    EXPECT_FALSE(f.playerstatustimer.enabled());
    f.playerstatustimer.tick();
    EXPECT_TRUE(takeCalls().empty());
}

// What the fade controller cannot bring back is named in the status bar; the store of the
// ducks is KV.ini's; a start brings back what a crash left, a close what is still down.
TEST_F(FadeDispatch, TheWindowLooksAfterTheDucksAtStartCloseAndFailure) {
    auto& f = startShow();
    ASSERT_NE(rcform.store, nullptr);
    EXPECT_EQ(takeCalls().front(), L"restoreLeftOver");
    ASSERT_TRUE(rcform.notRestored);
    remote::Duck winamp;
    winamp.kind = remote::PlayerKind::winamp;
    rcform.notRestored({winamp, false});
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Winamp antwortet nicht – Musik nicht zurückgeholt");
    remote::Duck session;
    session.kind = remote::PlayerKind::mixer;
    session.name = L"Spotify";
    rcform.notRestored({session, true});
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Spotify nicht gefunden – Musik nicht zurückgeholt");
    takeCalls();
    f.FormCloseQuery();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"restoreNow"});
}

}  // namespace
