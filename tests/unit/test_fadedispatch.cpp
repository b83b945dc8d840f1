// The fades around a jingle as the main window asks for them: which fade controller
// operation runs for which option and player interface, the refusal of a cross-fade that
// only the companion can do, the mixer session chosen from the listing, and the moments of
// a slot press at which the fades are asked for.
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
    for (const auto& [player, expected] : table) {
        choose(player);
        takeCalls();
        f.fadeoutDispatch(true);
        f.fadeoutDispatch(false);
        EXPECT_EQ(takeCalls(), expected);
    }
}

TEST_F(FadeDispatch, JingleEndFadesInOrCrossFadesThroughTheCompanion) {
    auto& f = startShow();
    f.cb_mfade_mixer.addItem(L"Player");
    f.cb_mfade_mixer.setItemIndex(0);
    f.auto_fi.setChecked(true);
    const std::vector<std::pair<Player, std::vector<std::wstring>>> fadeIn{
        {Player::Companion, {L"zentrixfadein"}},
        {Player::Winamp, {L"winampfadein"}},
        {Player::Mixer, {L"mixerfadein(,Player)"}},
        {Player::None, {}},
    };
    for (const auto& [player, expected] : fadeIn) {
        choose(player);
        takeCalls();
        f.endOfJingleDispatch();
        EXPECT_EQ(takeCalls(), expected);
    }
    f.auto_crossfade.setChecked(true);
    choose(Player::Companion);
    takeCalls();
    f.endOfJingleDispatch();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"zentrixcrossfade"});
    choose(Player::None);
    f.endOfJingleDispatch();
    f.auto_crossfade.setChecked(false);
    f.endOfJingleDispatch();  // neither option: nothing
    EXPECT_TRUE(takeCalls().empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FadeDispatch, CrossFadeWithWinampOrMixerIsRefusedAtEveryJingleEnd) {
    auto& f = startShow();
    f.auto_crossfade.setChecked(true);
    for (Player player : {Player::Winamp, Player::Mixer}) {
        choose(player);
        dialogs.messages.clear();
        f.endOfJingleDispatch();
        f.endOfJingleDispatch();
        ASSERT_EQ(dialogs.messages.size(), 2u);
        EXPECT_EQ(dialogs.messages[0].type, kv::MessageType::Information);
        EXPECT_EQ(dialogs.messages[0].text, refusal);
        EXPECT_EQ(dialogs.messages[1].text, refusal);
        EXPECT_TRUE(f.auto_crossfade.checked());  // the choice itself is never refused
    }
    EXPECT_TRUE(takeCalls().empty());
}

TEST_F(FadeDispatch, MixerFadesGoToTheChosenListingEntryByGuidAndName) {
    auto& f = startShow();
    rcform.sessions = {{L"Alpha", g1}, {L"Beta", g2}};
    choose(Player::Mixer);
    f.auto_fi.setChecked(true);
    f.cb_mfade_mixer.userDropDown();
    f.cb_mfade_mixer.userSelect(1);
    takeCalls();
    f.fadeoutDispatch(true);
    f.endOfJingleDispatch();
    EXPECT_EQ(takeCalls(), (std::vector<std::wstring>{L"mixerfadeout(" + g2 + L",Beta,40,true)",
                                                      L"mixerfadein(" + g2 + L",Beta)"}));
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

TEST_F(FadeDispatch, BlockingFadeOutRunsBeforeTheFileIsCheckedOrOpened) {
    auto& f = startShow();
    choose(Player::Winamp);
    f.auto_fo_vor.setChecked(true);
    std::vector<std::size_t> opensAtCall;
    rcform.onCall = [&](const std::wstring&) { opensAtCall.push_back(player.opened.size()); };
    takeCalls();
    f.slot(1).click();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"winampfadeout(40,true)"});
    EXPECT_EQ(opensAtCall, std::vector<std::size_t>{0});
    EXPECT_TRUE(player.playing);
    player.close();
    f.playerstatustimer.tick();  // nothing plays: the end, with no end option on
    // A missing file is reported after the fade-out has run.
    f.slot(2).click();
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"winampfadeout(40,true)"});
    EXPECT_EQ(f.StatusBarMain.panelText(), text(kv::TextId::DateiNichtGefunden));
}

TEST_F(FadeDispatch, FadeOutWithTheJingleRunsAfterTheStartAlsoWhenItFailed) {
    auto& f = startShow();
    choose(Player::Companion);
    f.auto_fo_mit.setChecked(true);
    std::vector<bool> playingAtCall;
    rcform.onCall = [&](const std::wstring&) { playingAtCall.push_back(player.playing); };
    takeCalls();
    f.slot(1).click();
    EXPECT_EQ(playingAtCall, std::vector<bool>{true});
    player.close();
    f.playerstatustimer.tick();
    player.failOpenWith = 263;
    f.slot(1).click();
    EXPECT_EQ(takeCalls(), (std::vector<std::wstring>{L"zentrixfadeout(40,false)", L"zentrixfadeout(40,false)"}));
    EXPECT_EQ(playingAtCall, (std::vector<bool>{true, false}));
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
    EXPECT_EQ(takeCalls(), std::vector<std::wstring>{L"zentrixfadein"});
    EXPECT_FALSE(f.playerstatustimer.enabled());
    f.playerstatustimer.tick();
    EXPECT_TRUE(takeCalls().empty());
}

}  // namespace
