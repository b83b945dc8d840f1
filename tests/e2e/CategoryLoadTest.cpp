// A KV.ini with several categories, KONFIG and window-placement sections: the sorted list
// without them, the first category loaded with texts and options as stored, the exclusion
// and last-wins rules, range clamping, and what the saves at close write.
#include <chrono>
#include <cstdio>
#include <regex>

#include "E2eFixture.h"

namespace kv::e2e {
namespace {

const std::wstring kStoredIni =
    L"[Zeta]\r\n"
    L"Text1=Z eins\r\n"
    L"zentrixfadeoutin=0\r\nwinampfadeoutin=0\r\nmixerfadeoutin=0\r\n"
    L"fi=1\r\ncf=1\r\nfopos=40\r\njingleendezeit=250\r\njingletimerval=abc\r\n"
    L"[Konfig]\r\n"
    L"fensterimvordergrund=1\r\nfensterskalieren=0\r\nSTYLENAME=Auric\r\n"
    L"[FORM_Kavintamainform]\r\nLeft=10\r\nTop=10\r\n"
    L"[FORM_Other]\r\nLeft=20\r\n"
    L"[alpha]\r\n"
    L"Text1=Intro\r\nJingle1=C:\\Jingles\\intro.wav\r\nText5=Station ID\r\n"
    L"Text12=Schluss\r\nJingle12=C:\\Jingles\\ende.mp3\r\n"
    L"zentrixfadeoutin=1\r\nwinampfadeoutin=1\r\nmixerfadeoutin=0\r\n"
    L"mixerfadeoutin_name=Musikplayer\r\n"
    L"fo1=1\r\nfo2=1\r\nfi=1\r\ncf=0\r\nfopos=150\r\njingleendezeit=-500\r\n"
    L"jingletimereinaus=1\r\njingletimerval=0\r\n"
    L"[Formel 1]\r\nText1=Boxenstopp\r\n"
    L"[Beta]\r\n";

class StoredCategories : public E2eTest {
protected:
    void SetUp() override { writeIni(kStoredIni); }
};

TEST_F(StoredCategories, ListIsSortedWithoutKonfigAndFormSections) {
    Process& p = start(standardData());
    // The start timer, running from the window's creation, selects the first category about
    // 100 ms later; the window is shown in between.
    ASSERT_TRUE(waitUntil([&] { return !topLevelWindows(p.pid(), kMainWindowClass).empty(); }, kStartTimeout,
                          Millis{1}));
    const auto createdAt = std::chrono::steady_clock::now();
    const auto visible = waitTopLevelWindow(p.pid(), kMainWindowClass, kStartTimeout);
    ASSERT_TRUE(visible.has_value());
    KavintaWindow window(*visible);
    ASSERT_TRUE(window.waitCategoryShown(kShowTimeout));
    const auto delay = std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - createdAt);
    EXPECT_GE(delay.count(), 50) << "the first category was loaded without the start timer";
    std::printf("first category shown %lld ms after the window's creation\n", static_cast<long long>(delay.count()));

    EXPECT_EQ(window.categories(), (std::vector<std::wstring>{L"alpha", L"Beta", L"Zeta"}));
    EXPECT_EQ(window.categoryIndex(), 0);
    EXPECT_EQ(window.currentCategory(), L"alpha");
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(StoredCategories, FirstCategoryLoadsTextsAndOptionsAsStored) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    std::vector<std::wstring> expected(12, kUnbelegt);
    expected[0] = L"Intro";
    expected[4] = L"Station ID";
    expected[11] = L"Schluss";
    EXPECT_EQ(window.slotCaptions(), expected);

    // Both interface keys on: the later one (Winamp) wins.
    EXPECT_FALSE(window.checked(ids::c_mfade_Zentrix));
    EXPECT_TRUE(window.checked(ids::c_mfade_winamp));
    EXPECT_FALSE(window.checked(ids::c_mfade_mixer));
    EXPECT_EQ(comboSelectedText(window.control(ids::cb_mfade_mixer)), L"Musikplayer");
    // fo1 and fo2 both on: only "with the jingle" stays; fi alone stays on.
    EXPECT_FALSE(window.checked(ids::auto_fo_vor));
    EXPECT_TRUE(window.checked(ids::auto_fo_mit));
    EXPECT_TRUE(window.checked(ids::auto_fi));
    EXPECT_FALSE(window.checked(ids::auto_crossfade));
    // Range clamping: fopos 150 -> 100, interval 0 -> 1; the lead time has no bounds.
    EXPECT_EQ(trackBarPosition(window.control(ids::Fadeoutpos)), 100);
    EXPECT_EQ(window.text(ids::jingleendezeit), L"-500");
    EXPECT_EQ(window.text(ids::jingletimerval), L"1");
    EXPECT_TRUE(window.checked(ids::jingletimereinaus));
    // One minute armed: the countdown shows seconds ("(t 59 sek)" at the first tick).
    const std::wregex seconds(LR"(\(t (\d+) sek\))");
    std::wstring countdown;
    EXPECT_TRUE(waitUntil([&] {
        countdown = window.text(ids::l_jingletimer);
        return std::regex_match(countdown, seconds);
    }, Millis{3000})) << "countdown shows \"" << narrow(countdown) << "\"";

    // Window-wide settings from KONFIG.
    EXPECT_TRUE(window.checked(ids::c_fensterimvordergrund));
    EXPECT_FALSE(window.checked(ids::c_fensterskalieren));
    EXPECT_NE(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not on top";
    EXPECT_EQ(comboSelectedText(window.control(ids::cbStyle)), L"Auric");

    screenshot(window.hwnd());
    ASSERT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));

    // The close saved the shown category with every key, the clamped values included.
    const IniSnapshot ini = readIni();
    for (const auto& key : categoryKeysInSaveOrder())
        EXPECT_TRUE(ini.value(L"alpha", key).has_value()) << "alpha lacks " << narrow(key);
    EXPECT_EQ(ini.value(L"alpha", L"Text1"), L"Intro");
    EXPECT_EQ(ini.value(L"alpha", L"Jingle1"), L"C:\\Jingles\\intro.wav");
    EXPECT_EQ(ini.value(L"alpha", L"Text2"), kUnbelegt);
    EXPECT_EQ(ini.value(L"alpha", L"Jingle2"), L"");
    EXPECT_EQ(ini.value(L"alpha", L"Jingle12"), L"C:\\Jingles\\ende.mp3");
    EXPECT_EQ(ini.value(L"alpha", L"zentrixfadeoutin"), L"0");
    EXPECT_EQ(ini.value(L"alpha", L"winampfadeoutin"), L"1");
    EXPECT_EQ(ini.value(L"alpha", L"mixerfadeoutin"), L"0");
    EXPECT_EQ(ini.value(L"alpha", L"mixerfadeoutin_name"), L"Musikplayer");
    EXPECT_EQ(ini.value(L"alpha", L"fo1"), L"0");
    EXPECT_EQ(ini.value(L"alpha", L"fo2"), L"1");
    EXPECT_EQ(ini.value(L"alpha", L"fi"), L"1");
    EXPECT_EQ(ini.value(L"alpha", L"cf"), L"0");
    EXPECT_EQ(ini.value(L"alpha", L"fopos"), L"100");
    EXPECT_EQ(ini.value(L"alpha", L"jingleendezeit"), L"-500");
    EXPECT_EQ(ini.value(L"alpha", L"jingletimereinaus"), L"1");
    EXPECT_EQ(ini.value(L"alpha", L"jingletimerval"), L"1");
    EXPECT_EQ(ini.value(L"KONFIG", L"fensterimvordergrund"), L"1");
    EXPECT_EQ(ini.value(L"KONFIG", L"fensterskalieren"), L"0");
    EXPECT_EQ(ini.value(L"KONFIG", L"STYLENAME"), L"Auric");
    // Hidden sections stay in the file.
    EXPECT_EQ(ini.value(L"Formel 1", L"Text1"), L"Boxenstopp");
    EXPECT_EQ(ini.value(L"FORM_Other", L"Left"), L"20");
}

TEST_F(StoredCategories, SelectingCategoriesLoadsThemWithoutSaving) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const auto before = readFileBytes(iniPath());
    const HWND kategorie = window.control(ids::kategorie);

    // Beta has an empty section: every default.
    userSelectComboItem(kategorie, 1);
    ASSERT_TRUE(waitUntil([&] { return window.slotCaption(1) == kUnbelegt; }, kShowTimeout));
    EXPECT_EQ(window.currentCategory(), L"Beta");
    EXPECT_EQ(window.slotCaptions(), std::vector<std::wstring>(12, kUnbelegt));
    EXPECT_TRUE(window.checked(ids::c_mfade_Zentrix));
    EXPECT_FALSE(window.checked(ids::c_mfade_winamp));
    EXPECT_FALSE(window.checked(ids::c_mfade_mixer));
    for (int id : {ids::auto_fo_vor, ids::auto_fo_mit, ids::auto_fi, ids::auto_crossfade, ids::jingletimereinaus})
        EXPECT_FALSE(window.checked(id)) << "control " << id;
    EXPECT_EQ(trackBarPosition(window.control(ids::Fadeoutpos)), 0);
    EXPECT_EQ(window.text(ids::jingleendezeit), L"0");
    EXPECT_EQ(window.text(ids::jingletimerval), L"30");
    EXPECT_EQ(window.text(ids::l_jingletimer), L"");

    // Zeta: fi and cf both on leave only cross-fade, which puts the target to 0; no
    // interface key on leaves no radio button on; a word as interval gives 30.
    userSelectComboItem(kategorie, 2);
    ASSERT_TRUE(waitUntil([&] { return window.slotCaption(1) == L"Z eins"; }, kShowTimeout));
    EXPECT_EQ(window.currentCategory(), L"Zeta");
    EXPECT_TRUE(window.checked(ids::auto_crossfade));
    EXPECT_FALSE(window.checked(ids::auto_fi));
    EXPECT_EQ(trackBarPosition(window.control(ids::Fadeoutpos)), 0);
    EXPECT_FALSE(window.checked(ids::c_mfade_Zentrix));
    EXPECT_FALSE(window.checked(ids::c_mfade_winamp));
    EXPECT_FALSE(window.checked(ids::c_mfade_mixer));
    EXPECT_EQ(window.text(ids::jingletimerval), L"30");
    EXPECT_EQ(window.text(ids::jingleendezeit), L"250");
    // Zeta stores no session name: it shows none, not the one alpha showed.
    EXPECT_EQ(comboSelectedText(window.control(ids::cb_mfade_mixer)), L"");

    Sleep(300);
    EXPECT_EQ(readFileBytes(iniPath()), before) << "selecting a category saved";
    screenshot(window.hwnd());
    ASSERT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));

    const IniSnapshot ini = readIni();
    EXPECT_EQ(ini.value(L"Zeta", L"fopos"), L"0");
    EXPECT_EQ(ini.value(L"Zeta", L"cf"), L"1");
    EXPECT_EQ(ini.value(L"Zeta", L"fi"), L"0");
    EXPECT_EQ(ini.value(L"Zeta", L"jingletimerval"), L"30");
    EXPECT_EQ(ini.value(L"Zeta", L"zentrixfadeoutin"), L"0");
    EXPECT_EQ(ini.value(L"Zeta", L"mixerfadeoutin_name"), L"");
    EXPECT_EQ(ini.value(L"Zeta", L"Text2"), kUnbelegt);
    // Beta was shown but never saved; alpha kept its stored values.
    EXPECT_TRUE(ini.keys(L"Beta").empty());
    EXPECT_EQ(ini.value(L"alpha", L"fopos"), L"150");
    EXPECT_EQ(ini.value(L"alpha", L"fo1"), L"1");
}

}  // namespace
}  // namespace kv::e2e
