// The jingle library through the operator's dialogs: a category created with the input
// query, a slot assigned with the right mouse button, the open dialog and the caption
// query, what reaches KV.ini, and a category deleted after the confirmation.
#include "E2eFixture.h"
#include "kvdriver/Dialogs.h"

namespace kv::e2e {
namespace {

constexpr Millis kDialogTimeout{10000};
constexpr Millis kQuietTime{600};

const std::wstring kCategoryRequired = L"Bitte erst Kategorie anlegen!";
const std::vector<std::wstring> kFilterDescriptions = {L"Mediendateien ",
                                                       L"Alle Dateien (je Betriebssystem)"};

// A mouse button going down and up on a control, as the operator's click delivers it.
void postMouseClick(HWND control, UINT down, UINT up, WPARAM keys) {
    const LPARAM where = MAKELPARAM(5, 5);
    PostMessageW(control, down, keys, where);
    PostMessageW(control, up, 0, where);
}

void rightClick(HWND control) { postMouseClick(control, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON); }
void middleClick(HWND control) { postMouseClick(control, WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON); }

bool anyDialogVisible(DWORD pid) {
    for (HWND dialog : topLevelWindows(pid, L"#32770"))
        if (IsWindowVisible(dialog)) return true;
    return false;
}

// No dialog of any kind (message box, query, open dialog) comes up for a while.
bool staysWithoutDialog(DWORD pid) {
    return !waitUntil([&] { return anyDialogVisible(pid); }, kQuietTime);
}

class Library : public E2eTest {
protected:
    void SetUp() override {
        createFolders(mediaFolder());
        // The open dialog only needs the files to exist; their content is never played here.
        for (const wchar_t* name : {L"Intro Morgen.wav", L"a.b.wav"})
            ASSERT_TRUE(writeFileBytes(mediaFolder() + L"\\" + name, {'R', 'I', 'F', 'F'}));
    }

    std::wstring mediaFolder() const { return root() / L"media"; }

    // KAT_neu, then the input query answered with name; returns the query as it opened.
    std::optional<InputQueryInfo> createCategory(const KavintaWindow& window, const std::wstring& name) {
        window.click(ids::KAT_neu);
        auto query = waitInputQuery(process().pid(), kDialogTimeout);
        if (!query) return std::nullopt;
        answerInputQuery(*query, name);
        EXPECT_TRUE(waitDialogClosed(query->hwnd, kDialogTimeout)) << "the name query stays open";
        return query;
    }

    // Right click on slot, the file chosen in the open dialog; returns the caption query
    // that follows, still open.
    std::optional<InputQueryInfo> chooseForSlot(const KavintaWindow& window, int slot,
                                                const std::wstring& fileName) {
        rightClick(window.control(ids::J1 + slot - 1));
        const auto dialog = waitOpenDialog(process().pid(), kDialogTimeout);
        if (!dialog) {
            ADD_FAILURE() << "no open dialog after the right click on J" << slot;
            return std::nullopt;
        }
        EXPECT_EQ(dialog->owner, window.hwnd());
        EXPECT_EQ(dialog->fileTypes, kFilterDescriptions);
        EXPECT_EQ(dialog->fileTypeIndex, 0);
        chooseFile(*dialog, fileName);
        auto caption = waitInputQuery(process().pid(), kDialogTimeout);
        if (!caption) ADD_FAILURE() << "no caption query after choosing " << narrow(fileName);
        return caption;
    }
};

TEST_F(Library, AnyClickOnASlotWithoutCategoryAsksForOne) {
    KavintaWindow window = startMain(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_TRUE(window.categories().empty());

    for (bool right : {true, false}) {
        SCOPED_TRACE(right ? "right button" : "middle button");
        const HWND slot = window.control(ids::J1 + 2);
        right ? rightClick(slot) : middleClick(slot);
        const auto box = waitMessageBox(process().pid(), kBoxTimeout);
        ASSERT_TRUE(box.has_value()) << "no message box";
        EXPECT_EQ(box->text, kCategoryRequired);
        EXPECT_TRUE(box->hasOk);
        EXPECT_FALSE(box->hasYes);
        EXPECT_EQ(box->owner, window.hwnd());
        EXPECT_FALSE(findOpenDialog(process().pid()).has_value()) << "the open dialog came up";
        ASSERT_TRUE(pressButton(*box, BoxButton::Ok));
        ASSERT_TRUE(waitBoxClosed(*box, kBoxTimeout));
    }
    EXPECT_FALSE(findOpenDialog(process().pid()).has_value());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(Library, NewCategoryComesFromTheNameQuery) {
    KavintaWindow window = startMain(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    const auto query = createCategory(window, L"meine Jingles");
    ASSERT_TRUE(query.has_value()) << "no input query after \"neu\"";
    EXPECT_EQ(query->caption, L"neue Kategorie");
    EXPECT_EQ(query->prompt, L"Bitte Name eingeben:");
    EXPECT_EQ(query->value, L"meine Jingles");
    EXPECT_EQ(query->owner, window.hwnd());
    ASSERT_TRUE(waitUntil([&] { return window.slotCaption(1) == kUnbelegt; }, kShowTimeout));
    EXPECT_EQ(window.categories(), std::vector<std::wstring>{L"meine Jingles"});
    EXPECT_EQ(window.currentCategory(), L"meine Jingles");
    EXPECT_EQ(window.slotCaptions(), std::vector<std::wstring>(12, kUnbelegt));
    EXPECT_TRUE(window.checked(ids::c_mfade_Zentrix));

    // The same name in other capitals is ignored without a message.
    ASSERT_TRUE(createCategory(window, L"Meine jingles").has_value());
    EXPECT_TRUE(staysWithoutDialog(process().pid()));
    EXPECT_EQ(window.categories(), std::vector<std::wstring>{L"meine Jingles"});
    EXPECT_EQ(window.categoryIndex(), 0);

    // Cancel adds nothing.
    window.click(ids::KAT_neu);
    const auto cancelled = waitInputQuery(process().pid(), kDialogTimeout);
    ASSERT_TRUE(cancelled.has_value());
    ASSERT_TRUE(cancelDialog(cancelled->hwnd));
    ASSERT_TRUE(waitDialogClosed(cancelled->hwnd, kDialogTimeout));
    EXPECT_EQ(window.categories(), std::vector<std::wstring>{L"meine Jingles"});

    // Another name goes to its sorted place and becomes the current category.
    ASSERT_TRUE(createCategory(window, L"Abend").has_value());
    ASSERT_TRUE(waitUntil([&] { return window.currentCategory() == L"Abend"; }, kShowTimeout));
    EXPECT_EQ(window.categories(), (std::vector<std::wstring>{L"Abend", L"meine Jingles"}));
    EXPECT_EQ(window.categoryIndex(), 0);

    // Each new category is saved at once.
    EXPECT_TRUE(waitIniValue(L"meine Jingles", L"Text1", kUnbelegt));
    EXPECT_TRUE(waitIniValue(L"Abend", L"Text1", kUnbelegt));
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(Library, RightClickAssignsFileAndCaptionAndSaves) {
    KavintaWindow window = startMain(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_TRUE(createCategory(window, L"meine Jingles").has_value());
    ASSERT_TRUE(waitUntil([&] { return window.slotCaption(1) == kUnbelegt; }, kShowTimeout));

    const std::wstring intro = mediaFolder() + L"\\Intro Morgen.wav";
    auto caption = chooseForSlot(window, 1, intro);
    ASSERT_TRUE(caption.has_value());
    EXPECT_EQ(caption->caption, L"Jingle ändern");
    EXPECT_EQ(caption->prompt, L"Bitte Bezeichnung/Buttontext eingeben");
    EXPECT_EQ(caption->value, L"Intro Morgen");
    answerInputQuery(*caption, caption->value);
    ASSERT_TRUE(waitDialogClosed(caption->hwnd, kDialogTimeout));

    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(1) == L"Intro Morgen"; }, kShowTimeout));
    ASSERT_TRUE(waitIniValue(L"meine Jingles", L"Text1", L"Intro Morgen"));
    {
        const IniSnapshot ini = readIni();
        EXPECT_EQ(ini.value(L"meine Jingles", L"Jingle1"), intro);
        EXPECT_EQ(ini.keys(L"meine Jingles"), categoryKeysInSaveOrder());
        EXPECT_EQ(ini.value(L"meine Jingles", L"Text2"), kUnbelegt);
        EXPECT_EQ(ini.value(L"meine Jingles", L"Jingle2"), L"");
        EXPECT_EQ(ini.value(L"meine Jingles", L"zentrixfadeoutin"), L"1");
        EXPECT_EQ(ini.value(L"meine Jingles", L"jingletimerval"), L"30");
        EXPECT_TRUE(ini.section(L"KONFIG") != nullptr) << "the save did not write KONFIG";
    }

    // The dialog opens in the folder of the slot's file: a bare name is found there. Only
    // the last extension is cut for the proposal; cancelling it changes and saves nothing.
    const auto before = readFileBytes(iniPath());
    caption = chooseForSlot(window, 1, L"a.b.wav");
    ASSERT_TRUE(caption.has_value()) << "the bare name was not found in the slot's folder";
    EXPECT_EQ(caption->value, L"a.b");
    ASSERT_TRUE(cancelDialog(caption->hwnd));
    ASSERT_TRUE(waitDialogClosed(caption->hwnd, kDialogTimeout));
    Sleep(300);
    EXPECT_EQ(window.slotCaption(1), L"Intro Morgen");
    EXPECT_EQ(readFileBytes(iniPath()), before) << "a cancelled caption query saved";

    // The caption is the text typed over the proposal, and the slot gets the new file.
    caption = chooseForSlot(window, 1, L"a.b.wav");
    ASSERT_TRUE(caption.has_value());
    answerInputQuery(*caption, L"Zweiter Versuch");
    ASSERT_TRUE(waitDialogClosed(caption->hwnd, kDialogTimeout));
    EXPECT_TRUE(waitIniValue(L"meine Jingles", L"Jingle1", mediaFolder() + L"\\a.b.wav"));
    EXPECT_TRUE(waitIniValue(L"meine Jingles", L"Text1", L"Zweiter Versuch"));
    EXPECT_EQ(window.slotCaption(1), L"Zweiter Versuch");

    // A middle click with a category does nothing at all.
    middleClick(window.control(ids::J1 + 1));
    EXPECT_TRUE(staysWithoutDialog(process().pid()));
    EXPECT_FALSE(findOpenDialog(process().pid()).has_value());
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));

    // After a restart the slot shows what was assigned.
    KavintaWindow again = startShown(standardData());
    ASSERT_NE(again.hwnd(), nullptr);
    EXPECT_EQ(again.currentCategory(), L"meine Jingles");
    EXPECT_EQ(again.slotCaption(1), L"Zweiter Versuch");
    EXPECT_EQ(closeAndWait(again, process(1)), std::optional<DWORD>(0));
}

class StoredLibrary : public E2eTest {
protected:
    void SetUp() override {
        writeIni(L"[Alpha]\r\nText1=Eins\r\nJingle1=C:\\Jingles\\eins.wav\r\n"
                 L"[Beta]\r\nText1=Zwei\r\n");
    }
};

TEST_F(StoredLibrary, DeleteAsksFirstAndErasesTheSectionOnYes) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(window.currentCategory(), L"Alpha");
    ASSERT_EQ(window.slotCaption(1), L"Eins");
    const auto before = readFileBytes(iniPath());

    // No: nothing changes.
    window.click(ids::Kat_loeschen);
    auto box = waitMessageBox(process().pid(), kBoxTimeout);
    ASSERT_TRUE(box.has_value()) << "no confirmation";
    EXPECT_EQ(box->text, L"Wollen Sie Alpha wirklich löschen?");
    EXPECT_TRUE(box->hasYes);
    EXPECT_TRUE(box->hasNo);
    EXPECT_EQ(box->owner, window.hwnd());
    ASSERT_TRUE(pressButton(*box, BoxButton::No));
    ASSERT_TRUE(waitBoxClosed(*box, kBoxTimeout));
    Sleep(300);
    EXPECT_EQ(window.categories(), (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    EXPECT_EQ(window.currentCategory(), L"Alpha");
    EXPECT_EQ(readFileBytes(iniPath()), before) << "No changed the file";

    // Yes: the section goes, nothing is selected, the slots are blank.
    window.click(ids::Kat_loeschen);
    box = waitMessageBox(process().pid(), kBoxTimeout);
    ASSERT_TRUE(box.has_value()) << "no confirmation the second time";
    ASSERT_TRUE(pressButton(*box, BoxButton::Yes));
    ASSERT_TRUE(waitBoxClosed(*box, kBoxTimeout));
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(1).empty(); }, kShowTimeout));
    EXPECT_EQ(window.slotCaptions(), std::vector<std::wstring>(12, L""));
    EXPECT_EQ(window.categories(), std::vector<std::wstring>{L"Beta"});
    EXPECT_EQ(window.categoryIndex(), -1);
    EXPECT_EQ(window.currentCategory(), L"");
    EXPECT_TRUE(waitUntil([&] {
        const auto ini = settledIni();
        return ini && ini->section(L"Alpha") == nullptr;
    }, kSaveTimeout)) << "the section Alpha is still in the file";
    EXPECT_EQ(readIni().value(L"Beta", L"Text1"), L"Zwei");

    // With nothing selected a second "entf." asks nothing.
    window.click(ids::Kat_loeschen);
    EXPECT_TRUE(staysWithoutDialog(process().pid()));
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
    const IniSnapshot ini = readIni();
    EXPECT_EQ(ini.section(L"Alpha"), nullptr);
    EXPECT_EQ(ini.value(L"Beta", L"Text1"), L"Zwei");
}

}  // namespace
}  // namespace kv::e2e
