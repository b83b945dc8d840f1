// One copy per program file name: a second start of the same name is refused with a
// message and ends; a copy under another file name starts alongside.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

class SingleInstance : public E2eTest {
protected:
    // A copy of the program at <root>\<folder>\<name>.
    std::wstring copyProgram(const std::wstring& folder, const std::wstring& name) {
        createFolders(root() / folder);
        const std::wstring target = root() / (folder + L"\\" + name);
        EXPECT_TRUE(CopyFileW(programPath().c_str(), target.c_str(), FALSE)) << narrow(target);
        return target;
    }

    // Starts exe while the first copy runs and expects the refusal naming fileName.
    void expectRefused(const std::wstring& exe, const std::wstring& fileName) {
        Process& second = start(standardData(), exe);
        const auto box = waitMessageBox(second.pid(), kBoxTimeout);
        ASSERT_TRUE(box.has_value()) << "the second copy showed no message";
        EXPECT_EQ(box->text, L"Anwendung \"" + fileName + L"\" läuft bereits!");
        EXPECT_EQ(box->owner, nullptr);
        EXPECT_TRUE(box->hasOk);
        EXPECT_TRUE(topLevelWindows(second.pid(), kMainWindowClass).empty());
        screenshot(box->hwnd, L"-refused");
        ASSERT_TRUE(pressButton(*box, BoxButton::Ok));
        EXPECT_EQ(second.waitExit(kExitTimeout), std::optional<DWORD>(0));
    }
};

TEST_F(SingleInstance, SecondCopyOfSameFileNameIsRefused) {
    KavintaWindow first = startMain(standardData());
    ASSERT_NE(first.hwnd(), nullptr);
    expectRefused(programPath(), L"Kavinta.exe");
    // The same file name in another folder is refused as well.
    expectRefused(copyProgram(L"elsewhere", L"Kavinta.exe"), L"Kavinta.exe");

    EXPECT_TRUE(process(0).running());
    EXPECT_TRUE(first.exists());
    EXPECT_FALSE(findMessageBox(process(0).pid()).has_value()) << "the running copy was disturbed";
    screenshot(first.hwnd());
    EXPECT_EQ(closeAndWait(first, process(0)), std::optional<DWORD>(0));
}

TEST_F(SingleInstance, CopyUnderAnotherFileNameStarts) {
    writeIni(L"[Musik]\r\nText1=Jingle A\r\n");
    KavintaWindow first = startShown(standardData());
    ASSERT_NE(first.hwnd(), nullptr);

    const std::wstring other = copyProgram(L"copy", L"KavintaZwei.exe");
    Process& second = start(standardData(), other);
    const auto secondWindow = KavintaWindow::waitFor(second.pid(), kStartTimeout);
    ASSERT_TRUE(secondWindow.has_value()) << "the renamed copy did not start";
    EXPECT_TRUE(secondWindow->waitCategoryShown(kShowTimeout));
    EXPECT_EQ(secondWindow->slotCaption(1), L"Jingle A");
    EXPECT_FALSE(findMessageBox(second.pid()).has_value());
    EXPECT_TRUE(process(0).running());
    screenshot(secondWindow->hwnd(), L"-copy");
    screenshot(first.hwnd());

    EXPECT_EQ(closeAndWait(*secondWindow, second), std::optional<DWORD>(0));
    EXPECT_EQ(closeAndWait(first, process(0)), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
