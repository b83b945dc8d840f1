// Loading and saving categories and the window-wide settings.
#include "FormFixture.h"

#include <stdexcept>

using namespace kv;
using namespace kv::test;

namespace {

using Konfig = FormFixture;

TEST_F(Konfig, ListHidesKonfigDuckAndPlacementSectionsInAnyCase) {
    store(L"konfig", L"STYLENAME", L"Windows");
    store(L"kvDuck", L"1", L"winamp|4|200|51||");
    store(L"Duck", L"Text1", L"x");  // only the duck records' own section is hidden
    store(L"Duckling", L"Text1", L"x");
    store(L"FORM_Kavintamainform", L"TOP", L"1");
    store(L"form_other", L"TOP", L"1");
    store(L"Formel 1", L"Text1", L"x");
    store(L"Zugabe", L"Text1", L"x");
    store(L"beta", L"Text1", L"x");
    auto& f = create();
    EXPECT_EQ(f.kategorie.items(), (std::vector<std::wstring>{L"beta", L"Duck", L"Duckling", L"Zugabe"}));
    EXPECT_EQ(f.kategorie.itemIndex(), -1);
}

// The profile functions match section names ignoring case and find only the first of
// equal ones, so a repeated name is one category with the first section's slots.
TEST_F(Konfig, SectionRepeatedInAnyCaseIsListedOnce) {
    store(L"Morgen", L"Text1", L"erste");
    store(L"KONFIG", L"STYLENAME", L"Windows");
    store(L"Abend", L"Text1", L"x");
    profile.appendSection(ini, L"Morgen", L"Text1", L"zweite");
    profile.appendSection(ini, L"MORGEN", L"Text1", L"dritte");
    profile.appendSection(ini, L"Konfig", L"STYLENAME", L"Windows");
    auto& f = start();
    EXPECT_EQ(f.kategorie.items(), (std::vector<std::wstring>{L"Abend", L"Morgen"}));
    f.kategorie.userSelect(1);
    EXPECT_EQ(f.slot(1).text(), L"erste");
}

TEST_F(Konfig, CategoryLoadHoldsThePaintingOnceAndReleasesIt) {
    store(L"A", L"Text1", L"x");
    start();
    EXPECT_EQ(host.updates, 1);
    EXPECT_EQ(host.updateDepth, 0);
    form->kategorie.setItemIndex(-1);
    form->kategorieChange();  // the early return for no category releases it too
    EXPECT_EQ(host.updates, 2);
    EXPECT_EQ(host.updateDepth, 0);
}

TEST_F(Konfig, CategoryLoadReadsTheCategorysSectionInOnePass) {
    for (int n = 1; n <= 12; ++n) store(L"A", L"Text" + std::to_wstring(n), L"T" + std::to_wstring(n));
    create();
    const int before = profile.readCount();
    form->starttimer.tick();
    EXPECT_EQ(profile.readCount() - before, 1) << "one read for some thirty keys";
    EXPECT_EQ(form->slot(12).text(), L"T12");
}

TEST_F(Konfig, NeverSavedCategoryLoadsTheDefaults) {
    auto& f = create();
    f.auto_fi.setChecked(true);  // left over from a previous category
    f.jingletimerval.setValue(5);
    f.kategorie.setItemIndex(f.kategorie.addItem(L"Neu"));
    f.kategorieChange();
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(f.slot(n).text(), L"unbelegt");
        EXPECT_EQ(f.slot(n).hint(), L"");
    }
    EXPECT_TRUE(f.c_mfade_Zentrix.checked());
    EXPECT_FALSE(f.c_mfade_winamp.checked() || f.c_mfade_mixer.checked());
    EXPECT_FALSE(f.auto_fo_vor.checked() || f.auto_fo_mit.checked() || f.auto_fi.checked() ||
                 f.auto_crossfade.checked() || f.jingletimereinaus.checked());
    EXPECT_EQ(f.Fadeoutpos.position(), 0);
    EXPECT_EQ(f.jingleendezeit.value(), 0);
    EXPECT_EQ(f.jingletimerval.value(), 30);
    EXPECT_FALSE(f.loading());
}

TEST_F(Konfig, LoadingAppliesExclusionsLastWinsAndRanges) {
    const std::wstring c = L"Show";
    store(c, L"zentrixfadeoutin", L"1");
    store(c, L"winampfadeoutin", L"1");
    store(c, L"fo1", L"1");
    store(c, L"fo2", L"1");
    store(c, L"fi", L"1");
    store(c, L"cf", L"1");
    store(c, L"fopos", L"40");
    store(c, L"jingleendezeit", L"-500");
    store(c, L"jingletimerval", L"0");
    auto& f = start();
    EXPECT_TRUE(f.c_mfade_winamp.checked());
    EXPECT_FALSE(f.c_mfade_Zentrix.checked());
    EXPECT_TRUE(f.auto_fo_mit.checked());
    EXPECT_FALSE(f.auto_fo_vor.checked());
    EXPECT_TRUE(f.auto_crossfade.checked());
    EXPECT_FALSE(f.auto_fi.checked());
    EXPECT_EQ(f.Fadeoutpos.position(), 0);  // cross-fade forces the fade-out target to 0
    EXPECT_EQ(f.jingleendezeit.value(), -500);
    EXPECT_EQ(f.jingletimerval.value(), 1);
    // Nothing was saved while loading: the stored values are untouched.
    EXPECT_EQ(stored(c, L"fo1"), L"1");
    EXPECT_EQ(stored(c, L"fopos"), L"40");
    f.FadeoutposChange();
    EXPECT_EQ(stored(c, L"fopos"), L"0");
    EXPECT_EQ(stored(c, L"fo1"), L"0");
}

TEST_F(Konfig, OutOfRangeAndRubbishValuesComeInRange) {
    store(L"A", L"fopos", L"150");
    store(L"A", L"jingletimerval", L"viele");
    store(L"A", L"mixerfadeoutin", L"0x1");
    store(L"A", L"zentrixfadeoutin", L"0");
    auto& f = start();
    EXPECT_EQ(f.Fadeoutpos.position(), 100);
    EXPECT_EQ(f.jingletimerval.value(), 30);
    EXPECT_TRUE(f.c_mfade_mixer.checked());
    EXPECT_FALSE(f.c_mfade_Zentrix.checked());
}

TEST_F(Konfig, AllInterfaceKeysOffLoadWithNoRadioButtonOn) {
    store(L"A", L"zentrixfadeoutin", L"0");
    store(L"A", L"winampfadeoutin", L"0");
    store(L"A", L"mixerfadeoutin", L"0");
    auto& f = start();
    EXPECT_FALSE(f.c_mfade_Zentrix.checked() || f.c_mfade_winamp.checked() || f.c_mfade_mixer.checked());
}

TEST_F(Konfig, FirstSaveWritesEverySlotAndOptionKeyInOrder) {
    auto& f = create();
    f.kategorie.setItemIndex(f.kategorie.addItem(L"Neu"));
    f.kategorieChange();
    f.konfigspeichern();
    std::vector<std::wstring> expected;
    for (int n = 1; n <= 12; ++n) {
        expected.push_back(L"Text" + std::to_wstring(n));
        expected.push_back(L"Jingle" + std::to_wstring(n));
    }
    for (const wchar_t* k : {L"zentrixfadeoutin", L"winampfadeoutin", L"mixerfadeoutin", L"mixerfadeoutin_name",
                             L"fo1", L"fo2", L"fi", L"cf", L"fopos", L"jingleendezeit", L"jingletimereinaus",
                             L"jingletimerval"})
        expected.push_back(k);
    EXPECT_EQ(profile.keys(ini, L"Neu"), expected);
    EXPECT_EQ(stored(L"Neu", L"Text7"), L"unbelegt");
    EXPECT_EQ(stored(L"Neu", L"zentrixfadeoutin"), L"1");
    EXPECT_EQ(stored(L"Neu", L"jingletimerval"), L"30");
    EXPECT_EQ(profile.sectionNames(ini), (std::vector<std::wstring>{L"Neu", L"KONFIG"}));
}

TEST_F(Konfig, ReadOnlyFileWarnsTwoLinesOncePerFailureStreakAndKeepsTheControls) {
    store(L"A", L"Text1", L"x");
    auto& f = start();
    profile.setReadOnly(ini, true);
    f.auto_fo_vor.click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].type, kv::MessageType::Warning);
    EXPECT_EQ(dialogs.messages[0].text,
              L"Die Konfiguration konnte nicht gesichert werden.\n\rMöglicherweise führen Sie das Programm "
              L"von einem schreibgeschützten Laufwerk oder doppelt aus!");
    EXPECT_TRUE(f.auto_fo_vor.checked());
    f.auto_fi.click();
    f.FormCloseQuery();
    EXPECT_EQ(dialogs.messages.size(), 1u) << "the same run of failures is not reported again";
    profile.setReadOnly(ini, false);
    f.auto_fi.click();
    EXPECT_EQ(stored(L"A", L"fo1"), L"1") << "a good save writes what the failed ones did not";
    profile.setReadOnly(ini, true);
    f.auto_fi.click();
    EXPECT_EQ(dialogs.messages.size(), 2u) << "a failure after a good save is a new streak";
}

TEST_F(Konfig, FailedSaveLeavesTheFileAsItWas) {
    store(L"A", L"Text1", L"alt");
    auto& f = start();
    f.slot(1).setText(L"neu");
    f.slot(2).setText(L"zwei");
    profile.failWritesAfter(2);
    f.konfigspeichern();
    EXPECT_EQ(stored(L"A", L"Text1"), L"alt");
    EXPECT_FALSE(profile.has(ini, L"A", L"Text2"));
    EXPECT_FALSE(profile.has(ini, L"KONFIG", L"STYLENAME"));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(Konfig, SaveIsOneChangeOfTheFileWithCategoryKonfigAndPlacement) {
    store(L"A", L"Text1", L"x");
    auto& f = start();
    const int before = profile.batchCount();
    f.auto_fo_vor.click();
    EXPECT_EQ(profile.batchCount() - before, 1);
    EXPECT_EQ(stored(L"A", L"fo1"), L"1");
    EXPECT_EQ(stored(L"KONFIG", L"STYLENAME"), L"Windows");
}

TEST_F(Konfig, EmptyCategoryLoadDoesNotBlockSavingAfterwards) {
    store(L"A", L"Text1", L"x");
    auto& f = start();
    f.kategorie.setItemIndex(-1);
    f.kategorieChange();
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(f.slot(n).caption(), L"");
    EXPECT_FALSE(f.loading());
    f.c_fensterimvordergrund.setChecked(true);
    f.FormCloseQuery();
    EXPECT_EQ(stored(L"KONFIG", L"fensterimvordergrund"), L"1");
}

TEST_F(Konfig, LoadEndedByAnExceptionDoesNotBlockSavingAfterwards) {
    store(L"A", L"Text1", L"x");
    auto& f = create();
    f.kategorie.setItemIndex(0);
    profile.throwOnReads(true);
    EXPECT_THROW(f.kategorieChange(), std::runtime_error);
    EXPECT_FALSE(f.loading());
    EXPECT_EQ(host.updateDepth, 0);
    profile.throwOnReads(false);
    f.c_fensterimvordergrund.setChecked(true);
    f.FormCloseQuery();
    EXPECT_EQ(stored(L"KONFIG", L"fensterimvordergrund"), L"1");
}

const std::wstring kUnreadable =
    L"KV.ini kann nicht gelesen werden \u2013 \u00c4nderungen werden in dieser Sitzung nicht gespeichert.";

int totalMs(const std::vector<int>& sleeps) {
    int total = 0;
    for (int ms : sleeps) total += ms;
    return total;
}

// Every way the operator can make the program write: an option, a slot, a new category,
// deleting one, closing.
void tryEveryWrite(ui::TKavintamainform& f, FakeDialogs& dialogs) {
    f.auto_fo_vor.click();
    f.jingletimerval.setValue(7);
    dialogs.openAnswers.push_back(L"C:\\x.wav");
    dialogs.acceptQuery();
    f.slot(1).mouseDown(ui::MouseButton::Right);
    dialogs.answerQuery(L"Neu");
    f.KAT_neu.click();
    dialogs.confirmAnswers.push_back(true);
    f.Kat_loeschen.click();
    f.FormCloseQuery();
}

// A file held by another program or replaced by a folder is tried again for a moment,
// then reported once; nothing is written to it for the rest of the run.
class UnreadableKonfig : public Konfig {
protected:
    void expectReportedOnceAndNeverWritten() {
        store(L"A", L"Text1", L"x");
        const int writes = profile.writeCount();
        auto& f = start();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].type, kv::MessageType::Warning);
        EXPECT_EQ(dialogs.messages[0].text, kUnreadable);
        EXPECT_GE(totalMs(clock.sleeps), 200) << "tried again for a moment";
        EXPECT_LE(totalMs(clock.sleeps), 1000);

        tryEveryWrite(f, dialogs);
        EXPECT_EQ(profile.writeCount(), writes) << "a write reached the file";
        EXPECT_EQ(stored(L"A", L"Text1"), L"x");
        EXPECT_EQ(dialogs.messages.size(), 1u) << "saves after the first message are silent";
    }
};

TEST_F(UnreadableKonfig, FileHeldWithoutSharing) {
    files.addFile(ini);
    files.holdFile(ini, -1);
    expectReportedOnceAndNeverWritten();
}

TEST_F(UnreadableKonfig, FolderInPlaceOfTheFile) {
    files.addDirectory(ini);
    expectReportedOnceAndNeverWritten();
}

TEST_F(Konfig, FileHeldOnlyForAMomentAtStartIsReadAndSavedAsUsual) {
    files.addFile(ini);
    files.holdFile(ini, 3);
    store(L"A", L"Text1", L"x");
    auto& f = start();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(clock.sleeps.size(), 3u);
    f.auto_fo_vor.click();
    EXPECT_EQ(stored(L"A", L"fo1"), L"1");
}

TEST_F(Konfig, MissingOrReadableFileIsReadWithoutWaiting) {
    create();
    files.addFile(ini);
    create();
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Konfig, SessionNameIsAddedOnceAndSelectedOnEveryLoad) {
    store(L"A", L"mixerfadeoutin_name", L"Spotify");
    store(L"B", L"mixerfadeoutin_name", L"VLC");
    auto& f = start();
    for (int i = 0; i < 3; ++i) {
        f.kategorie.userSelect(1);
        f.kategorie.userSelect(0);
    }
    EXPECT_EQ(f.cb_mfade_mixer.count(), 2);
    EXPECT_EQ(f.cb_mfade_mixer.text(), L"Spotify");
}

// A category that stores no session shows none, and its save never takes another's.
TEST_F(Konfig, ACategoryWithoutASessionShowsNoneAndSavesNone) {
    store(L"A", L"mixerfadeoutin_name", L"Spotify");
    store(L"B", L"Text1", L"x");
    auto& f = start();
    EXPECT_EQ(f.cb_mfade_mixer.text(), L"Spotify");
    f.kategorie.userSelect(1);
    EXPECT_EQ(f.cb_mfade_mixer.text(), L"");
    f.auto_fi.click();
    EXPECT_EQ(stored(L"B", L"mixerfadeoutin_name"), L"");
    f.kategorie.userSelect(0);
    EXPECT_EQ(f.cb_mfade_mixer.text(), L"Spotify");
}

TEST_F(Konfig, OptionClicksSaveAtOnceAndExcludeTheirPartner) {
    store(L"A", L"Text1", L"x");
    auto& f = start();
    f.auto_fo_vor.click();
    EXPECT_EQ(stored(L"A", L"fo1"), L"1");
    f.auto_fo_mit.click();
    EXPECT_FALSE(f.auto_fo_vor.checked());
    EXPECT_EQ(stored(L"A", L"fo1"), L"0");
    EXPECT_EQ(stored(L"A", L"fo2"), L"1");
    f.auto_crossfade.click();
    f.auto_fi.click();
    EXPECT_FALSE(f.auto_crossfade.checked());
    EXPECT_EQ(stored(L"A", L"cf"), L"0");
    EXPECT_EQ(stored(L"A", L"fi"), L"1");
    f.c_mfade_mixer.click();
    EXPECT_EQ(stored(L"A", L"mixerfadeoutin"), L"1");
    EXPECT_EQ(stored(L"A", L"zentrixfadeoutin"), L"0");
    f.Fadeoutpos.setPosition(35);
    EXPECT_EQ(stored(L"A", L"fopos"), L"35");
    f.jingleendezeit.setValue(2000);
    EXPECT_EQ(stored(L"A", L"jingleendezeit"), L"2000");
    f.jingletimerval.setValue(12);
    EXPECT_EQ(stored(L"A", L"jingletimerval"), L"12");
    f.jingletimereinaus.click();
    EXPECT_EQ(stored(L"A", L"jingletimereinaus"), L"1");
}

TEST_F(Konfig, WindowOptionsAndStyleReachTheFileOnlyWithTheNextSave) {
    store(L"A", L"Text1", L"x");
    auto& f = start();
    f.c_fensterimvordergrund.click();
    EXPECT_FALSE(profile.has(ini, L"KONFIG", L"fensterimvordergrund"));
    f.auto_fi.click();
    EXPECT_EQ(stored(L"KONFIG", L"fensterimvordergrund"), L"1");
}

TEST_F(Konfig, UnicodeNamesAndPathsAreWrittenAsTheyAre) {
    store(L"Łódź ☃", L"Text1", L"Śnieg");
    auto& f = start();
    EXPECT_EQ(f.kategorie.text(), L"Łódź ☃");
    EXPECT_EQ(f.slot(1).text(), L"Śnieg");
}

}  // namespace
