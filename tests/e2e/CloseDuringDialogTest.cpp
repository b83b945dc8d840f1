// Another program asks the running Kavinta to close while the operator has a slot's
// assignment open (the file dialog, or the caption query after it): the dialog ends, the
// slot stays as it was, and the program ends normally with its save.
#include "E2eFixture.h"
#include "kvdriver/Dialogs.h"

namespace kv::e2e {
namespace {

constexpr Millis kDialogTimeout{10000};

void rightClick(HWND control) {
    const LPARAM where = MAKELPARAM(5, 5);
    PostMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, where);
    PostMessageW(control, WM_RBUTTONUP, 0, where);
}

class CloseDuringAssignment : public E2eTest {
protected:
    void SetUp() override {
        createFolders(root() / L"media");
        ASSERT_TRUE(writeFileBytes(chosenFile(), {'R', 'I', 'F', 'F'}));
        writeIni(L"[Show]\r\nText1=Intro\r\n");
    }
    std::wstring chosenFile() const { return root() / L"media\\Intro Morgen.wav"; }

    // The program ended by itself with exit code 0, KONFIG written by its save, slot 1 as before.
    void expectEndedWithItsSaveAndNothingAssigned() {
        EXPECT_EQ(process().waitExit(kExitTimeout), std::optional<DWORD>(0)) << "no normal end";
        const IniSnapshot ini = readIni();
        EXPECT_TRUE(ini.section(L"KONFIG") != nullptr) << "the close did not save";
        EXPECT_EQ(ini.value(L"Show", L"Text1"), std::optional<std::wstring>(L"Intro"));
        EXPECT_NE(ini.value(L"Show", L"Jingle1"), std::optional<std::wstring>(chosenFile())) << "assigned";
    }
};

TEST_F(CloseDuringAssignment, WhileTheOpenDialogRuns) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    rightClick(window.control(ids::J1));
    const auto dialog = waitOpenDialog(process().pid(), kDialogTimeout);
    ASSERT_TRUE(dialog.has_value()) << "no open dialog";
    ASSERT_EQ(readIni().section(L"KONFIG"), nullptr) << "saved before the close";
    postClose(window.hwnd());
    expectEndedWithItsSaveAndNothingAssigned();
}

TEST_F(CloseDuringAssignment, WhileTheCaptionQueryRuns) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    rightClick(window.control(ids::J1));
    const auto dialog = waitOpenDialog(process().pid(), kDialogTimeout);
    ASSERT_TRUE(dialog.has_value()) << "no open dialog";
    chooseFile(*dialog, chosenFile());
    const auto caption = waitInputQuery(process().pid(), kDialogTimeout);
    ASSERT_TRUE(caption.has_value()) << "no caption query";
    EXPECT_EQ(caption->value, L"Intro Morgen");
    postClose(window.hwnd());
    expectEndedWithItsSaveAndNothingAssigned();
}

}  // namespace
}  // namespace kv::e2e
