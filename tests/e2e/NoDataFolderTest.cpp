// No usable data folder: a message, the program ends, and nothing is written anywhere.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

class NoDataFolder : public E2eTest {};

TEST_F(NoDataFolder, MessageThenTerminationWithoutWriting) {
    const DataEnvironment missing{root() / L"missing\\appdata", root() / L"missing\\allusers",
                                  root() / L"missing\\profile"};
    const auto entriesBefore = folderEntries(root().path());
    // With empty bases the candidates would lie at the root of the current drive.
    ASSERT_FALSE(folderExists(L"\\Kavinta"));
    ASSERT_FALSE(folderExists(L"\\Anwendungsdaten"));
    Process& p = start(missing);

    const auto box = waitMessageBox(p.pid(), kBoxTimeout);
    ASSERT_TRUE(box.has_value()) << "no message about the data folder";
    EXPECT_EQ(box->text, kNoDataFolder);
    EXPECT_TRUE(box->hasOk);
    EXPECT_FALSE(box->hasYes);
    screenshot(box->hwnd, L"-box");
    for (HWND main : topLevelWindows(p.pid(), kMainWindowClass))
        EXPECT_FALSE(IsWindowVisible(main)) << "main window shown without a data folder";
    ASSERT_TRUE(pressButton(*box, BoxButton::Ok));

    EXPECT_EQ(p.waitExit(kExitTimeout), std::optional<DWORD>(0));
    EXPECT_FALSE(folderExists(root() / L"missing"));
    EXPECT_EQ(folderEntries(root().path()), entriesBefore);
    EXPECT_TRUE(folderEntries(root() / L"appdata").empty());
    EXPECT_TRUE(folderEntries(root() / L"allusers").empty());
    EXPECT_FALSE(folderExists(L"\\Kavinta"));
    EXPECT_FALSE(folderExists(L"\\Anwendungsdaten"));
}

}  // namespace
}  // namespace kv::e2e
