#include <gtest/gtest.h>

#include "../fakes/Fakes.h"
#include "app/syspfadutil_unit.h"

using namespace kv;
using namespace kv::test;

namespace {

class DataPath : public ::testing::Test {
protected:
    FakeEnvironment env;
    FakeFileSystem files;
    FakeDialogs dialogs;
    kv::BuiltinTexts texts;
    const std::wstring appdata = L"C:\\Users\\op\\AppData\\Roaming";
    const std::wstring allusers = L"C:\\ProgramData";
    const std::wstring userFolder = appdata + L"\\Kavinta";
    const std::wstring commonFolder = allusers + L"\\Anwendungsdaten\\Kavinta";

    DataPath() {
        env.values[L"APPDATA"] = appdata + L"\\";
        env.values[L"ALLUSERSPROFILE"] = allusers;
        files.addDirectory(appdata);
        files.addDirectory(allusers);
    }
    std::wstring resolve(bool create = true) {
        return GetDataPath({env, files, dialogs, texts}, L"Kavinta", create);
    }
};

TEST_F(DataPath, ExistingUserFolderWinsAndItsWriteTestLeavesNothing) {
    files.addDirectory(userFolder);
    files.addDirectory(commonFolder);
    EXPECT_EQ(resolve(), userFolder);
    EXPECT_TRUE(files.filesIn(userFolder).empty());
    EXPECT_EQ(files.createCalls, 0);
}

TEST_F(DataPath, ExistingAllUsersFolderWinsOverCreatingAUserFolder) {
    files.addDirectory(commonFolder);
    EXPECT_EQ(resolve(), commonFolder);
    EXPECT_FALSE(files.directoryExists(userFolder));
}

TEST_F(DataPath, NothingThereCreatesTheUserFolderWithoutTrailingDelimiter) {
    env.values[L"APPDATA"] = L"C:\\Users\\new\\AppData\\Roaming";
    files.addDirectory(L"C:\\Users\\new\\AppData\\Roaming");
    const std::wstring result = resolve();
    EXPECT_EQ(result, L"C:\\Users\\new\\AppData\\Roaming\\Kavinta");
    EXPECT_TRUE(files.directoryExists(result));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DataPath, ReadOnlyUserFolderIsPassedOverAndTheAllUsersFolderIsCreated) {
    files.addDirectory(userFolder);
    files.setReadOnly(userFolder);
    EXPECT_EQ(resolve(), commonFolder);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DataPath, BothBasesReadOnlyGiveNothingAndNoMessage) {
    files.setReadOnly(appdata);
    files.setReadOnly(allusers);
    EXPECT_EQ(resolve(), L"");
    EXPECT_EQ(files.createCalls, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DataPath, WithoutCreateNothingIsEverCreated) {
    EXPECT_EQ(resolve(false), L"");
    EXPECT_EQ(files.createCalls, 0);
}

TEST_F(DataPath, UnsetOrMissingBasesNeverTryTheDriveRoot) {
    env.values.erase(L"APPDATA");
    env.values[L"ALLUSERSPROFILE"] = L"C:\\does\\not\\exist";
    files.addDirectory(L"\\Kavinta");  // would qualify if the root were tried
    files.addDirectory(L"\\Anwendungsdaten\\Kavinta");
    EXPECT_EQ(resolve(), L"");
    EXPECT_EQ(files.createCalls, 0);
}

TEST_F(DataPath, ExistingWriteTestFileIsOverwrittenAndDeleted) {
    files.addDirectory(userFolder);
    files.addFile(userFolder + L"\\schreibtest.debug", L"old");
    EXPECT_EQ(resolve(), userFolder);
    EXPECT_FALSE(files.fileExists(userFolder + L"\\schreibtest.debug"));
}

// A base that can be written but where the product folder cannot be made: a warning naming
// the candidate, then the search goes on.
class NoSubfolderFileSystem : public FakeFileSystem {
public:
    bool createDirectories(const std::wstring&) override { return false; }
};

TEST(DataPathCreation, FailedCreationWarnsWithTheCandidateAndGoesOn) {
    FakeEnvironment env;
    NoSubfolderFileSystem files;
    FakeDialogs dialogs;
    kv::BuiltinTexts texts;
    env.values[L"APPDATA"] = L"C:\\A";
    env.values[L"ALLUSERSPROFILE"] = L"C:\\P";
    files.addDirectory(L"C:\\A");
    files.addDirectory(L"C:\\P");
    EXPECT_EQ(GetDataPath({env, files, dialogs, texts}, L"Kavinta", true), L"");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].type, kv::MessageType::Warning);
    EXPECT_EQ(dialogs.messages[0].text,
              L"C:\\A\\Kavinta\n\rFehler: Verzeichnisstuktur konnte nicht angelegt werden!");
    EXPECT_EQ(dialogs.messages[1].text.substr(0, 30), L"C:\\P\\Anwendungsdaten\\Kavinta\n\r");
}

}  // namespace
