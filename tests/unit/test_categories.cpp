// Creating, selecting and deleting categories; assigning files to slots.
#include "FormFixture.h"
#include "library/categoryname.h"

using namespace kv;
using namespace kv::test;

namespace {

using Categories = FormFixture;

TEST_F(Categories, NewWithTheDefaultNameIsListedSelectedAndUnassigned) {
    auto& f = start();
    dialogs.acceptQuery();
    f.KAT_neu.click();
    ASSERT_EQ(dialogs.queries.size(), 1u);
    EXPECT_EQ(dialogs.queries[0].caption, L"neue Kategorie");
    EXPECT_EQ(dialogs.queries[0].prompt, L"Bitte Name eingeben:");
    EXPECT_EQ(dialogs.queries[0].initial, L"meine Jingles");
    EXPECT_EQ(f.kategorie.text(), L"meine Jingles");
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(f.slot(n).caption(), L"unbelegt");
    EXPECT_EQ(stored(L"meine Jingles", L"Text1"), L"unbelegt");  // saved at once
}

TEST_F(Categories, ExistingNameInOtherCapitalsChangesNothing) {
    store(L"meine Jingles", L"Text1", L"x");
    store(L"Zeit", L"Text1", L"y");
    auto& f = start();
    f.kategorie.userSelect(1);
    dialogs.answerQuery(L"Meine jingles");
    f.KAT_neu.click();
    EXPECT_EQ(f.kategorie.count(), 2);
    EXPECT_EQ(f.kategorie.text(), L"Zeit");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Categories, CancelAddsNothingAndSavesNothing) {
    auto& f = start();
    dialogs.cancelQuery();
    f.KAT_neu.click();
    EXPECT_EQ(f.kategorie.count(), 0);
    EXPECT_EQ(profile.writeCount(), 0);
}

TEST_F(Categories, NamesTheFileCannotCarryAreRefusedWithAMessage) {
    auto& f = start();
    for (const wchar_t* bad : {L"", L"   ", L" Morgen", L"Morgen ", L"a]b", L"a\nb", L"x\ty", L"konfig",
                               L"KONFIG", L"Formel 1", L"form", L"kvduck"}) {
        dialogs.answerQuery(bad);
        f.KAT_neu.click();
    }
    EXPECT_EQ(f.kategorie.count(), 0);
    ASSERT_EQ(dialogs.messages.size(), 12u);
    EXPECT_EQ(dialogs.messages[0].type, kv::MessageType::Information);
    EXPECT_EQ(dialogs.messages[0].text, L"Dieser Name kann nicht als Kategorie verwendet werden.");
}

TEST(CategoryName, UsableNames) {
    EXPECT_TRUE(isUsableCategoryName(L"meine Jingles", equalsIgnoreCase));
    EXPECT_TRUE(isUsableCategoryName(L"For you", equalsIgnoreCase));
    EXPECT_TRUE(isUsableCategoryName(L"[Morgen", equalsIgnoreCase));
    EXPECT_TRUE(isUsableCategoryName(L"Łódź ☃", equalsIgnoreCase));
    EXPECT_FALSE(isUsableCategoryName(L"Forma", equalsIgnoreCase));
    EXPECT_FALSE(isUsableCategoryName(L"konfig", equalsIgnoreCase));
    EXPECT_FALSE(isUsableCategoryName(L"KVDUCK", equalsIgnoreCase));
    EXPECT_FALSE(isUsableCategoryName(L"kvDuck", equalsIgnoreCase));
    EXPECT_TRUE(isUsableCategoryName(L"Duck", equalsIgnoreCase));
    EXPECT_TRUE(isUsableCategoryName(L"Ducks", equalsIgnoreCase));
}

TEST(CategoryName, ANameTheFileTakesForKonfigIsRefused) {
    // Whatever the file treats as the settings section must never become a category.
    const auto fileRule = [](const std::wstring& a, const std::wstring& b) {
        return equalsIgnoreCase(a, b) || (a == L"K\u00d6NFIG" && b == L"KONFIG");
    };
    EXPECT_FALSE(isUsableCategoryName(L"K\u00d6NFIG", fileRule));
    EXPECT_TRUE(isUsableCategoryName(L"K\u00d6NFIG", equalsIgnoreCase));
}

// Each new category reaches the file when it is made, whatever is selected afterwards.
TEST_F(Categories, EveryNewCategoryIsSavedAtOnce) {
    store(L"Alt", L"Text1", L"x");
    auto& f = start();
    dialogs.answerQuery(L"Eins");
    f.KAT_neu.click();
    dialogs.answerQuery(L"Zwei");
    f.KAT_neu.click();
    f.kategorie.userSelect(f.kategorie.indexOf(L"Alt", false));
    f.FormCloseQuery();
    EXPECT_EQ(profile.sectionNames(ini), (std::vector<std::wstring>{L"Alt", L"Eins", L"KONFIG", L"Zwei"}));
    for (const wchar_t* name : {L"Eins", L"Zwei"}) {
        EXPECT_EQ(profile.keys(ini, name).size(), 36u) << "every slot and option key of " << name;
        EXPECT_EQ(stored(name, L"Text12"), L"unbelegt");
        EXPECT_EQ(stored(name, L"zentrixfadeoutin"), L"1");
    }
    EXPECT_EQ(stored(L"Alt", L"Text1"), L"x");
}

TEST_F(Categories, DeleteWithYesErasesTheSectionAndBlanksTheSlots) {
    store(L"Alt", L"Text1", L"x");
    store(L"Beta", L"Text1", L"y");
    auto& f = start();
    dialogs.confirmAnswers.push_back(true);
    f.Kat_loeschen.click();
    ASSERT_EQ(dialogs.confirmations.size(), 1u);
    EXPECT_EQ(dialogs.confirmations[0], L"Wollen Sie Alt wirklich löschen?");
    EXPECT_EQ(profile.sectionNames(ini), std::vector<std::wstring>{L"Beta"});
    EXPECT_EQ(f.kategorie.items(), std::vector<std::wstring>{L"Beta"});
    EXPECT_EQ(f.kategorie.itemIndex(), -1);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(f.slot(n).caption(), L"");
        EXPECT_EQ(f.slot(n).hint(), L"");
    }
}

TEST_F(Categories, DeleteWithNoOrWithoutSelectionChangesNothing) {
    store(L"Alt", L"Text1", L"x");
    auto& f = start();
    dialogs.confirmAnswers.push_back(false);
    f.Kat_loeschen.click();
    EXPECT_EQ(f.kategorie.text(), L"Alt");
    EXPECT_EQ(stored(L"Alt", L"Text1"), L"x");
    f.kategorie.setItemIndex(-1);
    f.Kat_loeschen.click();
    EXPECT_EQ(dialogs.confirmations.size(), 1u);
}

TEST_F(Categories, DeleteThatCannotWriteReportsAndKeepsTheEntry) {
    store(L"Alt", L"Text1", L"x");
    auto& f = start();
    profile.setReadOnly(ini, true);
    dialogs.confirmAnswers.push_back(true);
    f.Kat_loeschen.click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, L"In " + ini + L" kann nicht geschrieben werden");
    EXPECT_EQ(f.kategorie.text(), L"Alt");
}

TEST_F(Categories, RightClickAssignsFileAndCaptionAndSavesAtOnce) {
    store(L"Alt", L"Jingle3", L"D:\\Jingles\\alt.mp3");
    auto& f = start();
    dialogs.openAnswers.push_back(L"D:\\Jingles\\Station\\Intro Morgen.mp3");
    dialogs.acceptQuery();
    f.slot(3).mouseDown(ui::MouseButton::Right);
    ASSERT_EQ(dialogs.openInitialDirs.size(), 1u);
    EXPECT_EQ(dialogs.openInitialDirs[0], L"D:\\Jingles\\");
    EXPECT_EQ(dialogs.openFilters[0], L"Mediendateien |*.wav; *.wma; *.mp3; |Alle Dateien (je Betriebssystem)|*.*");
    ASSERT_EQ(dialogs.queries.size(), 1u);
    EXPECT_EQ(dialogs.queries[0].caption, L"Jingle ändern");
    EXPECT_EQ(dialogs.queries[0].prompt, L"Bitte Bezeichnung/Buttontext eingeben");
    EXPECT_EQ(dialogs.queries[0].initial, L"Intro Morgen");
    EXPECT_EQ(f.slot(3).caption(), L"Intro Morgen");
    EXPECT_EQ(stored(L"Alt", L"Jingle3"), L"D:\\Jingles\\Station\\Intro Morgen.mp3");
    EXPECT_EQ(stored(L"Alt", L"Text3"), L"Intro Morgen");
}

TEST_F(Categories, OnlyTheLastExtensionIsCutAndTheCaptionMayBeEdited) {
    store(L"Alt", L"Text1", L"x");
    auto& f = start();
    dialogs.openAnswers.push_back(L"C:\\a.b.mp3");
    dialogs.answerQuery(L"");
    f.slot(1).mouseDown(ui::MouseButton::Right);
    EXPECT_EQ(dialogs.openInitialDirs[0], L"");  // an unassigned slot has no folder
    EXPECT_EQ(dialogs.queries[0].initial, L"a.b");
    EXPECT_EQ(stored(L"Alt", L"Text1"), L"");
}

TEST_F(Categories, CancellingEitherDialogLeavesTheSlotAndSavesNothing) {
    store(L"Alt", L"Text1", L"x");
    auto& f = start();
    const int writes = profile.writeCount();
    dialogs.openAnswers.push_back(L"");  // cancel the file dialog
    f.slot(1).mouseDown(ui::MouseButton::Right);
    dialogs.openAnswers.push_back(L"C:\\y.wav");
    dialogs.cancelQuery();
    f.slot(1).mouseDown(ui::MouseButton::Right);
    EXPECT_EQ(f.slot(1).text(), L"x");
    EXPECT_EQ(f.slot(1).hint(), L"");
    EXPECT_EQ(profile.writeCount(), writes);
}

TEST_F(Categories, MiddleClickDoesNothingAndAnyClickWithoutCategoryAsksForOne) {
    store(L"Alt", L"Text1", L"x");
    auto& f = start();
    f.slot(2).mouseDown(ui::MouseButton::Middle);
    f.slot(2).mouseDown(ui::MouseButton::Left);
    EXPECT_TRUE(dialogs.openInitialDirs.empty());
    EXPECT_TRUE(dialogs.messages.empty());
    f.kategorie.setItemIndex(-1);
    f.slot(2).mouseDown(ui::MouseButton::Middle);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, L"Bitte erst Kategorie anlegen!");
}

}  // namespace
