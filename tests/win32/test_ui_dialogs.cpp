// Message boxes, the input query and the open dialog as real modal windows, driven from a
// second thread the way the end-to-end driver does it; the texts and the collation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "DialogDriver.h"
#include "app/Texts.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32Texts.h"

namespace {

using namespace kv;
using namespace kv::ui;
using namespace kv::ui::win32;
using kv::test::DialogDriver;

std::wstring textOf(HWND window) {
    wchar_t buffer[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

class DialogsTest : public ::testing::Test {
protected:
    BuiltinTexts texts;
    Win32Dialogs dialogs{texts};
    HWND owner = nullptr;

    void SetUp() override {
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
        dialogs.setOwner(owner);
    }
    void TearDown() override { DestroyWindow(owner); }
};

TEST(DialogHelpers, FilterBecomesNulSeparatedPairs) {
    const std::wstring filter = toDialogFilter(L"Mediendateien |*.wav; *.wma; *.mp3; |Alle Dateien (je Betriebssystem)|*.*");
    std::wstring expected;
    for (const wchar_t* part : {L"Mediendateien ", L"*.wav; *.wma; *.mp3; ", L"Alle Dateien (je Betriebssystem)", L"*.*"}) {
        expected += part;
        expected += L'\0';
    }
    expected += L'\0';
    EXPECT_EQ(filter, expected);
    EXPECT_EQ(filter.substr(filter.size() - 2), std::wstring(L"\0\0", 2));
}

TEST(DialogHelpers, MessageTypesGetTheirIconAndOneOkButton) {
    EXPECT_EQ(messageBoxStyle(MessageType::Warning), static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(messageBoxStyle(MessageType::Information), static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(messageBoxStyle(MessageType::Error), static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(DialogsTest, MessageBoxIsOwnedCarriesCaptionAndTextAndClosesWithOk) {
    std::wstring caption, text;
    DialogDriver driver(owner, [&](HWND box) {
        caption = textOf(box);
        text = textOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
    dialogs.showMessage(MessageType::Information, L"Bitte erst Kategorie anlegen!");
    ASSERT_TRUE(driver.found());
    EXPECT_EQ(caption, L"Kavinta");
    EXPECT_EQ(text, L"Bitte erst Kategorie anlegen!");
}

TEST_F(DialogsTest, ConfirmIsTrueForYesAndFalseForNo) {
    {
        DialogDriver yes(owner, [](HWND box) { PostMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0); });
        EXPECT_TRUE(dialogs.confirm(L"Wollen Sie alpha wirklich löschen?"));
        ASSERT_TRUE(yes.found());
    }
    {
        bool hasOk = true;
        DialogDriver no(owner, [&](HWND box) {
            hasOk = GetDlgItem(box, IDOK) != nullptr;
            PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
        });
        EXPECT_FALSE(dialogs.confirm(L"Wollen Sie alpha wirklich löschen?"));
        ASSERT_TRUE(no.found());
        EXPECT_FALSE(hasOk) << "only Yes and No";
    }
}

TEST_F(DialogsTest, InputQueryShowsCaptionPromptAndValueAndReturnsTheEditedText) {
    std::wstring caption, prompt, initial;
    DialogDriver driver(owner, [&](HWND dialog) {
        caption = textOf(dialog);
        prompt = textOf(GetDlgItem(dialog, Win32Dialogs::kInputPromptId));
        HWND edit = GetDlgItem(dialog, Win32Dialogs::kInputEditId);
        initial = textOf(edit);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Morgenshow"));
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    std::wstring value = L"meine Jingles";
    EXPECT_TRUE(dialogs.inputQuery(L"neue Kategorie", L"Bitte Name eingeben:", value));
    ASSERT_TRUE(driver.found());
    EXPECT_EQ(caption, L"neue Kategorie");
    EXPECT_EQ(prompt, L"Bitte Name eingeben:");
    EXPECT_EQ(initial, L"meine Jingles");
    EXPECT_EQ(value, L"Morgenshow");
}

TEST_F(DialogsTest, InputQueryCancelLeavesTheValue) {
    DialogDriver driver(owner, [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, Win32Dialogs::kInputEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
        PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    std::wstring value = L"Intro Morgen";
    EXPECT_FALSE(dialogs.inputQuery(L"Jingle ändern", L"Bitte Bezeichnung/Buttontext eingeben", value));
    ASSERT_TRUE(driver.found());
    EXPECT_EQ(value, L"Intro Morgen");
}

TEST_F(DialogsTest, InputQueryKeepsAnEmptyText) {
    DialogDriver driver(owner, [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, Win32Dialogs::kInputEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    std::wstring value = L"Intro";
    EXPECT_TRUE(dialogs.inputQuery(L"Jingle ändern", L"Bitte Bezeichnung/Buttontext eingeben", value));
    ASSERT_TRUE(driver.found());
    EXPECT_EQ(value, L"");
}

TEST_F(DialogsTest, OpenDialogCancelledChoosesNothing) {
    DialogDriver driver(owner, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    std::wstring chosen = L"unchanged";
    EXPECT_FALSE(dialogs.openFile(L"Mediendateien |*.wav; *.wma; *.mp3; |Alle Dateien (je Betriebssystem)|*.*",
                                  L"C:\\", chosen));
    ASSERT_TRUE(driver.found());
    EXPECT_EQ(chosen, L"unchanged");
}

TEST_F(DialogsTest, OpenDialogHandsBackTheChosenFile) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"kv_open_test.wav";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    std::wstring title;
    DialogDriver driver(owner, [&](HWND dialog) {
        title = textOf(dialog);
        // The file name field of the explorer-style dialog (cmb13), or the old edit (edt1).
        HWND name = GetDlgItem(dialog, 0x47C);
        if (!name) name = GetDlgItem(dialog, 0x480);
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"kv_open_test.wav"));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    std::wstring chosen;
    EXPECT_TRUE(dialogs.openFile(L"Mediendateien |*.wav; *.wma; *.mp3; |Alle Dateien (je Betriebssystem)|*.*",
                                 folder, chosen));
    ASSERT_TRUE(driver.found());
    EXPECT_EQ(_wcsicmp(chosen.c_str(), path.c_str()), 0) << std::string(chosen.begin(), chosen.end());
    DeleteFileW(path.c_str());
}

// --- Texts and collation

TEST(Win32TextsTest, TextsComeFromTheStringTable) {
    const Win32Texts texts;
    EXPECT_EQ(texts.text(TextId::Unbelegt), L"unbelegt");
    EXPECT_EQ(texts.text(TextId::WirklichLoeschen), L"Wollen Sie %s wirklich löschen?");
    EXPECT_EQ(texts.text(TextId::CapLabel5), L"Fadein/Crossfade ") << "trailing blank kept";
}

TEST(Win32TextsTest, ModuleWithoutTheTextFallsBackToTheBuiltInText) {
    const Win32Texts texts(GetModuleHandleW(L"gdi32.dll"));
    const BuiltinTexts builtin;
    for (TextId id : {TextId::Unbelegt, TextId::LaeuftBereits, TextId::CapSkalieren, TextId::KannNichtSchreiben})
        EXPECT_EQ(texts.text(id), builtin.text(id));
    EXPECT_FALSE(texts.text(TextId::Unbelegt).empty());
}

TEST(CollationTest, SortsAsTheUserLocaleIgnoringCase) {
    EXPECT_EQ(collateIgnoreCase(L"Morgen", L"morgen"), 0);
    EXPECT_LT(collateIgnoreCase(L"apfel", L"Birne"), 0);
    EXPECT_GT(collateIgnoreCase(L"Birne", L"apfel"), 0);
    // A code-unit comparison would put the umlaut after every ASCII letter.
    EXPECT_LT(collateIgnoreCase(L"Äpfel", L"Zebra"), 0);
    EXPECT_LT(collateIgnoreCase(L"ab", L"abc"), 0);
}

}  // namespace
