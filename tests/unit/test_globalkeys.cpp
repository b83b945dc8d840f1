// F1 ... F12 as system-wide hot keys: the window menu's item, its KONFIG key, the keys
// other programs hold, and a hot key firing its slot.
#include <set>

#include "FormFixture.h"

using namespace kv;
using namespace kv::test;

namespace {

const std::set<int> kAllSlots{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

class GlobalKeys : public FormFixture {
protected:
    const std::wstring intro = L"C:\\Jingles\\intro.wav";
    ui::TKavintamainform& startWithJingle() {
        store(L"Show", L"Text3", L"Intro");
        store(L"Show", L"Jingle3", intro);
        files.addFile(intro);
        return start();
    }
    std::wstring log() const { return files.fileText(dataDir + L"KVLOG.LOG"); }
};

TEST_F(GlobalKeys, OffByDefaultAndEverySaveWritesTheKeyAfterTheOtherKonfigKeys) {
    auto& f = start();
    EXPECT_FALSE(f.m_globaletasten.checked());
    EXPECT_EQ(f.m_globaletasten.text(), L"F1–F12 auch in anderen Programmen");
    EXPECT_TRUE(host.keys.registered.empty());
    f.konfigspeichern();
    EXPECT_EQ(profile.keys(ini, L"KONFIG"),
              (std::vector<std::wstring>{L"fensterimvordergrund", L"fensterskalieren", L"STYLENAME", L"globaletasten",
                                         L"jinglesgleichlaut", L"zweiterdruckblendetaus", L"ausgabegeraet",
                                         L"ausgabegeraetname"}));
    EXPECT_EQ(stored(L"KONFIG", L"globaletasten"), L"0");
}

TEST_F(GlobalKeys, MenuItemRegistersAllTwelveKeysAndUnregistersThemWhenTurnedOff) {
    auto& f = start();
    const int writes = profile.writeCount();
    f.m_globaletasten.click();
    EXPECT_TRUE(f.m_globaletasten.checked());
    EXPECT_EQ(host.keys.registered, kAllSlots);
    EXPECT_EQ(f.StatusBarMain.panelText(), L"");
    f.m_globaletasten.click();
    EXPECT_FALSE(f.m_globaletasten.checked());
    EXPECT_TRUE(host.keys.registered.empty());
    EXPECT_EQ(profile.writeCount(), writes) << "a window option reaches KV.ini with the next save";
    f.m_globaletasten.click();
    f.konfigspeichern();
    EXPECT_EQ(stored(L"KONFIG", L"globaletasten"), L"1");
}

TEST_F(GlobalKeys, StoredOptionIsLoadedWithKonfigAndRegistersAtCreation) {
    store(L"KONFIG", L"globaletasten", L"1");
    auto& f = create();
    EXPECT_TRUE(f.m_globaletasten.checked());
    EXPECT_EQ(host.keys.registered, kAllSlots);
}

TEST_F(GlobalKeys, KeysHeldByOtherProgramsAreNamedAndTheRestRegistered) {
    host.keys.taken = {1, 5};
    store(L"KONFIG", L"globaletasten", L"1");
    auto& f = start();
    EXPECT_EQ(f.StatusBarMain.panelText(), L"F-Tasten belegt von anderen Programmen: F1, F5");
    EXPECT_EQ(f.StatusBarMain.hint(), f.StatusBarMain.panelText());
    EXPECT_EQ(host.keys.registered, (std::set<int>{2, 3, 4, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_TRUE(f.m_globaletasten.checked()) << "the option stays on for the keys that were free";
}

TEST_F(GlobalKeys, HotKeyFiresItsSlotAsTheWindowsOwnKeyAndASecondOneStops) {
    store(L"KONFIG", L"globaletasten", L"1");
    auto& f = startWithJingle();
    f.globalHotKey(3);
    EXPECT_EQ(f.slot(3).caption(), L">>");
    EXPECT_TRUE(f.slot(3).font().bold);
    EXPECT_EQ(player.opened, std::vector<std::wstring>{intro});
    EXPECT_TRUE(player.playing);
    EXPECT_NE(log().find(L"intro.wav"), std::wstring::npos);
    f.globalHotKey(3);
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(player.opened.size(), 1u);
}

TEST_F(GlobalKeys, HotKeyArrivingAfterTheOptionWentOffFiresNothing) {
    auto& f = startWithJingle();
    f.globalHotKey(3);
    EXPECT_TRUE(player.opened.empty());
    EXPECT_EQ(f.slot(3).caption(), L"Intro");
}

TEST_F(GlobalKeys, CloseUnregistersAllAndSavesTheOptionAsItWas) {
    store(L"KONFIG", L"globaletasten", L"1");
    auto& f = start();
    ASSERT_EQ(host.keys.registered, kAllSlots);
    f.FormCloseQuery();
    f.FormClose();
    EXPECT_TRUE(host.keys.registered.empty());
    EXPECT_TRUE(f.m_globaletasten.checked());
    EXPECT_EQ(stored(L"KONFIG", L"globaletasten"), L"1");
}

}  // namespace
