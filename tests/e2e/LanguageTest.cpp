// The language switch as the operator uses it: a click on the English flag writes the choice
// for this program file and says so in German; the next start shows the window, its dialogs
// and its messages in English from the language module beside the program.
#include "E2eFixture.h"
#include "kvdriver/Dialogs.h"

namespace kv::e2e {
namespace {

constexpr Millis kDialogTimeout{10000};
const wchar_t* const kLocalesKey = L"Software\\Embarcadero\\Locales\\";

// The language module the build puts beside the program under test.
std::wstring builtLanguageModule() {
    const std::wstring exe = programPath();
    return exe.substr(0, exe.find_last_of(L'.')) + L".EN";
}

std::optional<std::wstring> languageValue(const std::wstring& exe) {
    wchar_t data[64] = {};
    DWORD bytes = sizeof(data);
    if (RegGetValueW(HKEY_CURRENT_USER, kLocalesKey, exe.c_str(), RRF_RT_REG_SZ, nullptr, data, &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

void rightClick(HWND control) {
    PostMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageW(control, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
}

// A copy of the program with its language module in a folder of its own: the registry value
// named by the copy's path concerns no other test, and it is removed at the end.
class LanguageSwitch : public E2eTest {
protected:
    std::wstring exe;

    void SetUp() override {
        createFolders(root() / L"prog");
        exe = root() / L"prog\\Kavinta.exe";
        ASSERT_TRUE(CopyFileW(programPath().c_str(), exe.c_str(), FALSE)) << narrow(exe);
        ASSERT_TRUE(CopyFileW(builtLanguageModule().c_str(), (root() / L"prog\\Kavinta.EN").c_str(), FALSE))
            << narrow(builtLanguageModule());
        writeIni(L"[Musik]\r\nText1=Jingle A\r\n");
    }
    void TearDown() override { RegDeleteKeyValueW(HKEY_CURRENT_USER, kLocalesKey, exe.c_str()); }

    KavintaWindow startCopy() {
        Process& p = start(standardData(), exe);
        const auto window = KavintaWindow::waitFor(p.pid(), kStartTimeout);
        if (!window) {
            ADD_FAILURE() << "the copy shows no main window";
            return KavintaWindow(nullptr);
        }
        EXPECT_TRUE(window->waitCategoryShown(kShowTimeout));
        return *window;
    }

    // Clicks a flag and answers the notice; its text.
    std::wstring clickFlag(const KavintaWindow& window, Process& p, int flag) {
        window.click(flag);
        const auto box = waitMessageBox(p.pid(), kBoxTimeout);
        if (!box) {
            ADD_FAILURE() << "no notice after the flag";
            return {};
        }
        EXPECT_TRUE(box->hasOk);
        EXPECT_EQ(box->owner, window.hwnd());
        screenshot(box->hwnd, flag == ids::B_lng_EN ? L"-notice-en" : L"-notice-de");
        EXPECT_TRUE(pressButton(*box, BoxButton::Ok));
        EXPECT_TRUE(waitBoxClosed(*box, kBoxTimeout));
        return box->text;
    }
};

TEST_F(LanguageSwitch, EnglishFlagThenRestartShowsEverythingInEnglish) {
    KavintaWindow german = startCopy();
    ASSERT_NE(german.hwnd(), nullptr);
    EXPECT_EQ(german.text(ids::KAT_neu), L"neu");
    EXPECT_EQ(clickFlag(german, process(0), ids::B_lng_EN),
              L"Sprache EN wurde eingestellt, bitte starten Sie die Anwendung neu damit die Änderung wirksam wird");
    EXPECT_EQ(languageValue(exe), std::optional<std::wstring>(L"EN"));
    // The interface stays German until the next start; the build's own program is untouched.
    EXPECT_EQ(german.text(ids::KAT_neu), L"neu");
    EXPECT_EQ(languageValue(programPath()), std::nullopt);
    ASSERT_EQ(closeAndWait(german, process(0)), std::optional<DWORD>(0));

    // The close saved the German "unbelegt" for every empty slot; a fresh file shows the
    // English default caption.
    writeIni(L"[Musik]\r\nText1=Jingle A\r\n");
    KavintaWindow english = startCopy();
    ASSERT_NE(english.hwnd(), nullptr);
    EXPECT_EQ(english.text(ids::KAT_neu), L"new");
    EXPECT_EQ(english.text(ids::Kat_loeschen), L"delete");
    EXPECT_EQ(english.text(ids::Label3), L"Category");
    EXPECT_EQ(english.text(ids::c_fensterimvordergrund), L"Always keep this window on top");
    EXPECT_EQ(english.slotCaption(1), L"Jingle A");
    EXPECT_EQ(english.slotCaption(2), L"unassigned");
    EXPECT_EQ(english.caption().rfind(L"Kavinta v", 0), 0u) << narrow(english.caption());
    EXPECT_NE(english.caption().find(L" - jingle player for on-air use"), std::wstring::npos)
        << narrow(english.caption());
    screenshot(english.hwnd(), L"-english");

    // The input query: caption, prompt and both buttons.
    english.click(ids::KAT_neu);
    const auto query = waitInputQuery(process(1).pid(), kDialogTimeout);
    ASSERT_TRUE(query.has_value()) << "no name query";
    EXPECT_EQ(query->caption, L"New category");
    EXPECT_EQ(query->prompt, L"Please enter a name:");
    EXPECT_EQ(windowText(childById(query->hwnd, IDOK)), L"OK");
    EXPECT_EQ(windowText(childById(query->hwnd, IDCANCEL)), L"Cancel");
    screenshot(query->hwnd, L"-query");
    ASSERT_TRUE(cancelDialog(query->hwnd));
    ASSERT_TRUE(waitDialogClosed(query->hwnd, kDialogTimeout));

    // The open dialog's file types.
    rightClick(english.control(ids::J1 + 1));
    const auto open = waitOpenDialog(process(1).pid(), kDialogTimeout);
    ASSERT_TRUE(open.has_value()) << "no open dialog";
    EXPECT_EQ(open->fileTypes, (std::vector<std::wstring>{L"Media files ", L"All files (per operating system)"}));
    ASSERT_TRUE(cancelDialog(open->hwnd));
    ASSERT_TRUE(waitDialogClosed(open->hwnd, kDialogTimeout));

    // A message box: the notice of the German flag, now in English; it chooses German again.
    EXPECT_EQ(clickFlag(english, process(1), ids::B_lng_DE),
              L"Language DE has been set. Please restart the application for the change to take effect.");
    EXPECT_EQ(languageValue(exe), std::optional<std::wstring>(L"DE"));
    ASSERT_EQ(closeAndWait(english, process(1)), std::optional<DWORD>(0));

    KavintaWindow germanAgain = startCopy();
    ASSERT_NE(germanAgain.hwnd(), nullptr);
    EXPECT_EQ(germanAgain.text(ids::KAT_neu), L"neu");
    EXPECT_EQ(germanAgain.text(ids::Label3), L"Kategorie");
    EXPECT_EQ(closeAndWait(germanAgain, process(2)), std::optional<DWORD>(0));
}

TEST_F(LanguageSwitch, EnglishWithoutTheModuleStaysGerman) {
    ASSERT_TRUE(DeleteFileW((root() / L"prog\\Kavinta.EN").c_str()));
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kLocalesKey, exe.c_str(), REG_SZ, L"EN", 3 * sizeof(wchar_t)),
              ERROR_SUCCESS);
    KavintaWindow window = startCopy();
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_EQ(window.text(ids::KAT_neu), L"neu");
    EXPECT_EQ(window.slotCaption(2), kUnbelegt);
    EXPECT_EQ(closeAndWait(window, process(0)), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
