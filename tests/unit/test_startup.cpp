// Start-up and shutdown of the main window.
#include "FormFixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using Startup = FormFixture;

TEST_F(Startup, CaptionCarriesVersionAnd64BitAndTheDataFolderIsShown) {
    version.version = FileVersion{3, 4, 0, 0};
    auto& f = create();
    EXPECT_EQ(f.caption().rfind(L"Kavinta v3.04 64Bit", 0), 0u) << f.caption();
    EXPECT_EQ(host.caption, f.caption());
    EXPECT_EQ(f.dataPath(), dataDir);
    EXPECT_EQ(f.datenpfadlabel.text(), dataDir);
    EXPECT_TRUE(f.starttimer.enabled());
}

TEST_F(Startup, MissingVersionResourceStillStartsWithThe64BitMarker) {
    version.version.reset();
    auto& f = create();
    EXPECT_EQ(f.caption().rfind(L"Kavinta v 64Bit", 0), 0u) << f.caption();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind(L"GetAppVersionStr() : ", 0), 0u);
    EXPECT_FALSE(f.terminated());
}

TEST_F(Startup, NoDataFolderShowsTheMessageTerminatesAndTouchesNoFile) {
    files.setReadOnly(appdata);
    auto& f = create();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].type, kv::MessageType::Information);
    EXPECT_EQ(dialogs.messages[0].text, text(kv::TextId::DatenpfadNichtGefunden));
    EXPECT_TRUE(f.terminated());
    EXPECT_EQ(host.terminateRequests, 1);
    EXPECT_EQ(profile.writeCount(), 0);
    EXPECT_EQ(f.kategorie.count(), 0);
}

TEST_F(Startup, EmptyConfigurationLeavesTheDesignCaptionsAndClosingWritesKonfig) {
    auto& f = start();
    EXPECT_EQ(f.kategorie.count(), 0);
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(f.slot(n).text(), L"- -");
    EXPECT_FALSE(f.starttimer.enabled());
    f.FormCloseQuery();
    EXPECT_EQ(profile.sectionNames(ini), std::vector<std::wstring>{L"KONFIG"});
    EXPECT_EQ(stored(L"KONFIG", L"fensterimvordergrund"), L"0");
    EXPECT_EQ(stored(L"KONFIG", L"fensterskalieren"), L"1");
    EXPECT_EQ(stored(L"KONFIG", L"STYLENAME"), L"Windows");
}

TEST_F(Startup, StartTimerSelectsAndLoadsTheAlphabeticallyFirstCategory) {
    store(L"Zeitansage", L"Text1", L"Zeit");
    store(L"abend", L"Text1", L"Gute Nacht");
    store(L"Morgen", L"Text1", L"Guten Morgen");
    auto& f = create();
    EXPECT_EQ(f.kategorie.itemIndex(), -1);
    EXPECT_EQ(f.slot(1).text(), L"- -");
    f.starttimer.tick();
    EXPECT_EQ(f.kategorie.text(), L"abend");
    EXPECT_EQ(f.slot(1).text(), L"Gute Nacht");
    EXPECT_EQ(f.slot(2).text(), L"unbelegt");
    f.starttimer.tick();  // disabled: never runs again
    EXPECT_EQ(f.kategorie.text(), L"abend");
}

TEST_F(Startup, StyleBoxListsTheLooksAndSelectsTheSavedOneIgnoringCase) {
    store(L"KONFIG", L"STYLENAME", L"carbon");
    auto& f = create();
    ASSERT_EQ(f.cbStyle.count(), 41);
    EXPECT_EQ(f.cbStyle.item(0), L"Windows");
    EXPECT_EQ(f.cbStyle.item(1), L"------------");
    EXPECT_EQ(f.cbStyle.item(2), L"Amakrits");
    EXPECT_EQ(f.cbStyle.item(40), L"Windows10 SlateGray");
    EXPECT_EQ(f.cbStyle.text(), L"Carbon");
    EXPECT_EQ(f.currentStyleName(), L"carbon");
}

TEST_F(Startup, UnknownStyleNameSelectsNothingAndIsSavedBackUnchanged) {
    store(L"KONFIG", L"STYLENAME", L"Handgemacht");
    auto& f = create();
    EXPECT_EQ(f.cbStyle.itemIndex(), -1);
    f.FormCloseQuery();
    EXPECT_EQ(stored(L"KONFIG", L"STYLENAME"), L"Handgemacht");
}

TEST_F(Startup, SavedStayOnTopAppliesAtOnceAndScalingShowsNoMessage) {
    store(L"KONFIG", L"fensterimvordergrund", L"1");
    store(L"KONFIG", L"fensterskalieren", L"1");
    auto& f = create();
    EXPECT_TRUE(f.c_fensterimvordergrund.checked());
    EXPECT_TRUE(host.topmost);
    EXPECT_TRUE(f.c_fensterskalieren.checked());
    EXPECT_TRUE(dialogs.messages.empty());
    host.visible = true;
    f.c_fensterskalieren.click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, text(kv::TextId::SkalierungNachNeustart));
}

TEST_F(Startup, ClosingStopsThePlayerAndSavesTheSlotTextNotTheMarker) {
    store(L"Jingles", L"Text1", L"Intro");
    store(L"Jingles", L"Jingle1", L"C:\\j\\intro.wav");
    files.addFile(L"C:\\j\\intro.wav");
    auto& f = start();
    f.slot(1).click();
    ASSERT_TRUE(player.playing);
    ASSERT_EQ(f.slot(1).caption(), L">>");
    store(L"Jingles", L"Text1", L"changed on disk");
    f.FormCloseQuery();
    EXPECT_FALSE(player.playing);
    EXPECT_GE(player.closeCalls, 1);
    EXPECT_EQ(stored(L"Jingles", L"Text1"), L"Intro");
}

}  // namespace
