// File system and environment of the Win32 platform layer, on a fresh temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/win32/Win32Environment.h"
#include "app/win32/Win32FileSystem.h"

namespace {

namespace fs = std::filesystem;

using kv::test::TempFolder;
using kv::test::readBytes;
using kv::test::writeBytes;

bool existsLiterally(const std::wstring& path) {
    // The long-path prefix reaches paths beyond the classic limit, to see that nothing was made.
    return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    TempFolder temp;
    kv::Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, CreatesNestedFoldersWithAllParents) {
    const std::wstring nested = temp / L"eins\\zwei\\drei";
    ASSERT_FALSE(files.directoryExists(nested));
    EXPECT_TRUE(files.createDirectories(nested));
    EXPECT_TRUE(files.directoryExists(nested));
    EXPECT_TRUE(files.directoryExists(nested + L"\\"));
    EXPECT_TRUE(files.directoryExists(temp / L"eins"));
    EXPECT_FALSE(files.fileExists(nested));
    // An existing folder, with or without trailing delimiter, is success as well.
    EXPECT_TRUE(files.createDirectories(nested + L"\\"));
}

TEST_F(Win32FileSystemTest, CreatingAFolderWhereAFileStandsFails) {
    const std::wstring blocker = temp / L"datei";
    ASSERT_TRUE(files.writeFile(blocker, {1}));
    EXPECT_FALSE(files.createDirectories(blocker));
    EXPECT_FALSE(files.createDirectories(blocker + L"\\unter"));
    EXPECT_FALSE(files.directoryExists(blocker));
}

TEST_F(Win32FileSystemTest, WritesReplacesAndDeletesAFile) {
    const std::wstring file = temp / L"schreibtest.debug";
    ASSERT_TRUE(files.writeFile(file, std::vector<std::uint8_t>(16, 0)));
    EXPECT_TRUE(files.fileExists(file));
    EXPECT_FALSE(files.directoryExists(file));
    EXPECT_EQ(readBytes(file), std::string(16, '\0'));

    ASSERT_TRUE(files.writeFile(file, {'a', 'b', 'c'}));
    EXPECT_EQ(readBytes(file), "abc");

    EXPECT_TRUE(files.deleteFile(file));
    EXPECT_FALSE(files.fileExists(file));
    EXPECT_FALSE(files.deleteFile(file));
}

TEST_F(Win32FileSystemTest, WritingIntoAMissingFolderFails) {
    EXPECT_FALSE(files.writeFile(temp / L"fehlt\\datei.bin", {0}));
    EXPECT_FALSE(files.directoryExists(temp / L"fehlt"));
}

TEST_F(Win32FileSystemTest, ExistenceTestsOfMissingPathsAreFalse) {
    EXPECT_FALSE(files.fileExists(temp / L"nichts"));
    EXPECT_FALSE(files.directoryExists(temp / L"nichts"));
    EXPECT_FALSE(files.fileExists(L""));
    EXPECT_FALSE(files.directoryExists(L""));
    EXPECT_TRUE(files.directoryExists(temp.path()));
    EXPECT_FALSE(files.fileExists(temp.path()));
}

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

TEST_F(Win32FileSystemTest, AppendCreatesTheFileAndAddsAtTheEnd) {
    const std::wstring log = temp / L"KVLOG.LOG";
    ASSERT_TRUE(files.appendBytes(log, bytesOf("Datum Zeit\r\n")));
    ASSERT_TRUE(files.appendBytes(log, bytesOf("05.03.2024 14:07:09 intro.mp3 C:\\Jingles\\\r\n")));
    EXPECT_EQ(readBytes(log), "Datum Zeit\r\n05.03.2024 14:07:09 intro.mp3 C:\\Jingles\\\r\n");
}

TEST_F(Win32FileSystemTest, AnsiIsOneBytePerLetterAndHoldsOnlyTheCodePagesCharacters) {
    const std::optional<std::string> umlauts = files.toAnsi(L"\u00e4\u00f6\u00fc\u00df\r\n");
    ASSERT_TRUE(umlauts.has_value());
    EXPECT_EQ(umlauts->size(), 6u);
    EXPECT_EQ(files.fromAnsi(*umlauts), L"\u00e4\u00f6\u00fc\u00df\r\n");
    EXPECT_FALSE(files.toAnsi(L"a\u2603b").has_value());
    EXPECT_EQ(files.toAnsi(L""), std::string());
}

TEST_F(Win32FileSystemTest, NoLookAlikeStandsInForAMissingLetter) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western European code page";
    EXPECT_FALSE(files.toAnsi(L"\u0141\u00f3d\u017a").has_value());  // the first letter is not in 1252
    EXPECT_EQ(files.toAnsi(L"\u00f3d"), std::string("\xF3" "d"));
}

TEST_F(Win32FileSystemTest, AppendToAFileOpenedWithoutSharingFails) {
    const std::wstring log = temp / L"gesperrt.log";
    ASSERT_TRUE(files.appendBytes(log, bytesOf("x")));
    const HANDLE locked = CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.appendBytes(log, bytesOf("y")));
    CloseHandle(locked);
    EXPECT_EQ(readBytes(log), "x");
}

TEST_F(Win32FileSystemTest, ReadFileGivesTheWholeFileOrItsStart) {
    const std::wstring file = temp / L"daten.bin";
    EXPECT_EQ(files.readFile(file, kv::kWholeFile).access, kv::FileAccess::Missing);
    std::string big(200000, 'a');
    big[199999] = 'z';
    writeBytes(file, big);
    const kv::FileContent whole = files.readFile(file, kv::kWholeFile);
    ASSERT_EQ(whole.access, kv::FileAccess::Readable);
    EXPECT_EQ(std::string(whole.bytes.begin(), whole.bytes.end()), big);
    EXPECT_EQ(files.readFile(file, 3).bytes.size(), 3u);
    const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files.readFile(file, kv::kWholeFile).access, kv::FileAccess::Unreadable);
    CloseHandle(held);
}

TEST_F(Win32FileSystemTest, TemporaryFileBesideReplacesTheFileInOneStep) {
    const std::wstring file = temp / L"KV.ini";
    writeBytes(file, "alt");
    const std::wstring temporary = files.writeTemporaryBeside(file, bytesOf("neu"));
    ASSERT_FALSE(temporary.empty());
    EXPECT_EQ(temporary.substr(0, temp.path().size()), temp.path()) << "in the same folder";
    EXPECT_EQ(readBytes(temporary), "neu");
    EXPECT_EQ(readBytes(file), "alt");
    ASSERT_TRUE(files.replaceFile(temporary, file));
    EXPECT_EQ(readBytes(file), "neu");
    EXPECT_FALSE(files.fileExists(temporary));
    EXPECT_TRUE(files.writeTemporaryBeside(temp / L"fehlt\\KV.ini", bytesOf("x")).empty());
}

// What the start of the program finds where KV.ini belongs.
TEST_F(Win32FileSystemTest, ReadAccessTellsMissingReadableAndUnreadableApart) {
    using kv::FileAccess;
    const std::wstring file = temp / L"KV.ini";
    EXPECT_EQ(files.readAccess(file), FileAccess::Missing);
    EXPECT_EQ(files.readAccess(temp / L"fehlt\\KV.ini"), FileAccess::Missing);
    ASSERT_TRUE(files.writeFile(file, {'[', 'A', ']'}));
    EXPECT_EQ(files.readAccess(file), FileAccess::Readable);
    {
        // Held by a program that lets others read and write: the profile functions can read it.
        const HANDLE shared = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(shared, INVALID_HANDLE_VALUE);
        EXPECT_EQ(files.readAccess(file), FileAccess::Readable);
        CloseHandle(shared);
    }
    const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files.readAccess(file), FileAccess::Unreadable);
    CloseHandle(held);
    EXPECT_EQ(files.readAccess(file), FileAccess::Readable);
    const std::wstring folder = temp / L"Ordner.ini";
    ASSERT_TRUE(files.createDirectories(folder));
    EXPECT_EQ(files.readAccess(folder), FileAccess::Unreadable);
}

TEST_F(Win32FileSystemTest, PathsLongerThan259CharactersFail) {
    const std::wstring prefix = temp.path() + L"\\";
    const std::wstring longName = prefix + std::wstring(260 - prefix.size(), L'x');
    ASSERT_EQ(longName.size(), 260u);
    EXPECT_FALSE(files.appendBytes(longName, bytesOf("zeile\r\n")));
    EXPECT_FALSE(files.writeFile(longName, {0}));
    EXPECT_FALSE(files.createDirectories(longName));
    EXPECT_FALSE(existsLiterally(longName));

    // One character shorter is still allowed.
    const std::wstring limit = longName.substr(0, 259);
    EXPECT_TRUE(files.appendBytes(limit, bytesOf("zeile\r\n")));
    EXPECT_TRUE(files.fileExists(limit));
}

TEST_F(Win32FileSystemTest, DirectoryLinksAreFollowed) {
    const std::wstring target = temp / L"ziel";
    const std::wstring link = temp / L"verweis";
    ASSERT_TRUE(files.createDirectories(target));
    if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY |
                                                           SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        GTEST_SKIP() << "symbolic links cannot be made here, error " << GetLastError();
    if (GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "the system reported a link it did not make";
    EXPECT_TRUE(files.directoryExists(link));
    EXPECT_TRUE(files.writeFile(link + L"\\durch.bin", {7}));
    EXPECT_TRUE(files.fileExists(target + L"\\durch.bin"));

    // A link whose target is gone names nothing.
    ASSERT_TRUE(files.deleteFile(target + L"\\durch.bin"));
    ASSERT_TRUE(RemoveDirectoryW(target.c_str()));
    EXPECT_FALSE(files.directoryExists(link));
    EXPECT_FALSE(files.fileExists(link));
    RemoveDirectoryW(link.c_str());
}

TEST(Win32Environment, ReadsSetAndUnsetVariables) {
    const kv::Win32Environment environment;
    const std::wstring name = L"KV_PLATFORM_TEST_VARIABLE";
    const std::wstring longValue(1000, L'\u00e9');  // longer than the first buffer
    ASSERT_TRUE(SetEnvironmentVariableW(name.c_str(), longValue.c_str()));
    EXPECT_EQ(environment.variable(name), longValue);
    ASSERT_TRUE(SetEnvironmentVariableW(name.c_str(), L"C:\\Daten"));
    EXPECT_EQ(environment.variable(name), L"C:\\Daten");
    ASSERT_TRUE(SetEnvironmentVariableW(name.c_str(), nullptr));
    EXPECT_EQ(environment.variable(name), L"");
}

}  // namespace
