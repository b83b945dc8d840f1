// Option changes save the shown category at once; the window options wait for the next save.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

class OptionClicks : public E2eTest {
protected:
    void SetUp() override { writeIni(L"[Musik]\r\nText1=Jingle A\r\n"); }
};

TEST_F(OptionClicks, FadeOptionsSaveAtOnceAndExcludeEachOther) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(window.currentCategory(), L"Musik");

    window.click(ids::auto_fo_vor);
    EXPECT_TRUE(waitIniValue(L"Musik", L"fo1", L"1"));
    // The first save writes the whole section in its fixed key order.
    EXPECT_EQ(readIni().keys(L"Musik"), categoryKeysInSaveOrder());
    EXPECT_EQ(readIni().value(L"Musik", L"Text1"), L"Jingle A");
    EXPECT_EQ(readIni().value(L"Musik", L"Text2"), kUnbelegt);

    window.click(ids::auto_fo_mit);
    EXPECT_TRUE(waitIniValue(L"Musik", L"fo2", L"1"));
    EXPECT_TRUE(waitIniValue(L"Musik", L"fo1", L"0"));
    EXPECT_FALSE(window.checked(ids::auto_fo_vor));
    EXPECT_TRUE(window.checked(ids::auto_fo_mit));

    window.click(ids::auto_crossfade);
    EXPECT_TRUE(waitIniValue(L"Musik", L"cf", L"1"));
    window.click(ids::auto_fi);
    EXPECT_TRUE(waitIniValue(L"Musik", L"fi", L"1"));
    EXPECT_TRUE(waitIniValue(L"Musik", L"cf", L"0"));
    EXPECT_FALSE(window.checked(ids::auto_crossfade));

    window.click(ids::c_mfade_mixer);
    EXPECT_TRUE(waitIniValue(L"Musik", L"mixerfadeoutin", L"1"));
    EXPECT_TRUE(waitIniValue(L"Musik", L"zentrixfadeoutin", L"0"));
    EXPECT_FALSE(window.checked(ids::c_mfade_Zentrix));
    window.click(ids::c_mfade_winamp);
    EXPECT_TRUE(waitIniValue(L"Musik", L"winampfadeoutin", L"1"));
    EXPECT_TRUE(waitIniValue(L"Musik", L"mixerfadeoutin", L"0"));

    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(OptionClicks, TrackBarAndSpinEditsSaveAtOnce) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    dragTrackBar(window.control(ids::Fadeoutpos), 37);
    EXPECT_TRUE(waitIniValue(L"Musik", L"fopos", L"37"));

    setWindowText(window.control(ids::jingleendezeit), L"250");
    EXPECT_TRUE(waitIniValue(L"Musik", L"jingleendezeit", L"250"));

    window.click(ids::jingletimereinaus);
    EXPECT_TRUE(waitIniValue(L"Musik", L"jingletimereinaus", L"1"));
    EXPECT_TRUE(waitUntil([&] { return window.text(ids::l_jingletimer) == L"(t 30 min)"; }, Millis{3000}))
        << "countdown shows \"" << narrow(window.text(ids::l_jingletimer)) << "\"";

    setWindowText(window.control(ids::jingletimerval), L"5");
    EXPECT_TRUE(waitIniValue(L"Musik", L"jingletimerval", L"5"));
    EXPECT_TRUE(waitUntil([&] { return window.text(ids::l_jingletimer) == L"(t 5 min)"; }, Millis{3000}))
        << "countdown shows \"" << narrow(window.text(ids::l_jingletimer)) << "\"";

    window.click(ids::jingletimereinaus);
    EXPECT_TRUE(waitIniValue(L"Musik", L"jingletimereinaus", L"0"));
    EXPECT_TRUE(waitUntil([&] { return window.text(ids::l_jingletimer).empty(); }, Millis{2000}));

    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(OptionClicks, WindowOptionReachesFileWithNextSave) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    window.click(ids::auto_fi);
    ASSERT_TRUE(waitIniValue(L"KONFIG", L"fensterimvordergrund", L"0"));

    window.click(ids::c_fensterimvordergrund);
    ASSERT_TRUE(waitUntil([&] { return window.checked(ids::c_fensterimvordergrund); }, Millis{2000}));
    EXPECT_TRUE(waitUntil([&] { return (GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; },
                          Millis{2000}))
        << "window not on top";
    Sleep(500);
    EXPECT_EQ(readIni().value(L"KONFIG", L"fensterimvordergrund"), L"0") << "the window option saved by itself";

    window.click(ids::auto_fi);  // any option change saves KONFIG too
    EXPECT_TRUE(waitIniValue(L"Musik", L"fi", L"0"));
    EXPECT_TRUE(waitIniValue(L"KONFIG", L"fensterimvordergrund", L"1"));

    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
