// Two processes saving the same KV.ini at once through the program's save code: the file
// stays whole, with every section once and each section as its last save left it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <sstream>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "app/strutil.h"
#include "app/win32/UniqueHandle.h"
#include "app/win32/Win32FileLocks.h"
#include "app/win32/Win32FileSystem.h"
#include "library/IniDocument.h"
#include "library/textencoding.h"
#include "library/win32/Win32ProfileFile.h"

namespace {

using namespace kv;

// Set for a writer process: "<file>|<name>|<milliseconds>".
constexpr wchar_t kWriterVariable[] = L"KV_TEST_SAVE_WRITER";
constexpr int kWriterMs = 3000;

// A save as the window makes it: the category, KONFIG and the placement, every value
// naming the writer and the round.
std::vector<SectionWrite> saveOf(const std::wstring& name, int round) {
    const std::wstring stamp = name + L"-" + std::to_wstring(round);
    IniEntries category, konfig, placement;
    for (int n = 1; n <= 12; ++n) {
        category.emplace_back(L"Text" + std::to_wstring(n), stamp);
        category.emplace_back(L"Jingle" + std::to_wstring(n), L"C:\\Jingles\\" + stamp + L".wav");
    }
    for (const wchar_t* key : {L"fensterimvordergrund", L"fensterskalieren", L"STYLENAME", L"globaletasten"})
        konfig.emplace_back(key, stamp);
    for (const wchar_t* key : {L"WINDOWSTATE", L"MONITOR", L"TOP", L"LEFT"}) placement.emplace_back(key, stamp);
    return {{name, category, false}, {L"KONFIG", konfig, false}, {L"FORM_" + name, placement, false}};
}

std::wstring variable(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// The writer process: saves until its time is up, reading the section list between saves
// as a start of the program would, and leaves "<last round saved> <failed saves>" beside.
TEST(TwoWritersChild, DISABLED_SavesInALoop) {
    const std::wstring setting = variable(kWriterVariable);
    if (setting.empty()) GTEST_SKIP() << "started by TwoWriters only";
    const std::size_t a = setting.find(L'|'), b = setting.rfind(L'|');
    const std::wstring file = setting.substr(0, a), name = setting.substr(a + 1, b - a - 1);
    const DWORD until = GetTickCount() + static_cast<DWORD>(std::stoi(setting.substr(b + 1)));
    Win32FileSystem files;
    Win32FileLocks locks;
    Win32ProfileFile profile(files, locks);
    int round = 0, last = 0, failed = 0;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        ++round;
        if (profile.writeSections(file, saveOf(name, round))) last = round;
        else ++failed;
        profile.sectionNames(file);
    }
    test::writeBytes(file + L"." + name, std::to_string(last) + " " + std::to_string(failed));
}

std::wstring ownPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

UniqueHandle startWriter(const std::wstring& file, const std::wstring& name) {
    SetEnvironmentVariableW(kWriterVariable, (file + L"|" + name + L"|" + std::to_wstring(kWriterMs)).c_str());
    std::wstring command = L"\"" + ownPath() +
                           L"\" --gtest_filter=TwoWritersChild.DISABLED_SavesInALoop --gtest_also_run_disabled_tests";
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const UniqueHandle nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul.get();
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                        &process);
    SetEnvironmentVariableW(kWriterVariable, nullptr);
    if (!started) return UniqueHandle();
    CloseHandle(process.hThread);
    return UniqueHandle(process.hProcess);
}

struct WriterResult {
    int last = -1;
    int failed = -1;
};

WriterResult resultOf(const std::wstring& file, const std::wstring& name) {
    std::istringstream in(test::readBytes(file + L"." + name));
    WriterResult read;
    if (in >> read.last >> read.failed) return read;
    return {};
}

// Every value of the section is the stamp of one save.
void expectOneSave(const IniDocument& ini, const std::wstring& section, const std::wstring& stamp, std::size_t keys) {
    const IniEntries values = ini.values(section);
    EXPECT_EQ(values.size(), keys) << "keys of " << std::string(section.begin(), section.end());
    for (const auto& [key, value] : values)
        EXPECT_TRUE(value == stamp || value == L"C:\\Jingles\\" + stamp + L".wav")
            << std::string(section.begin(), section.end()) << " " << std::string(key.begin(), key.end()) << " = "
            << std::string(value.begin(), value.end());
}

TEST(TwoWriters, SavingAtOnceLeavesAWholeFileWithEachSectionAsItsLastSaveLeftIt) {
    test::TempFolder temp;
    const std::wstring file = temp / L"KV.ini";
    test::writeBytes(file, std::string("\xFF\xFE[\0B\0e\0s\0t\0a\0n\0d\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 32));
    const UniqueHandle a = startWriter(file, L"Kopie A");
    const UniqueHandle b = startWriter(file, L"Kopie B");
    ASSERT_TRUE(a && b);
    const HANDLE both[] = {a.get(), b.get()};
    ASSERT_EQ(WaitForMultipleObjects(2, both, TRUE, 60000), WAIT_OBJECT_0);

    const WriterResult ra = resultOf(file, L"Kopie A"), rb = resultOf(file, L"Kopie B");
    EXPECT_GT(ra.last, 5);
    EXPECT_GT(rb.last, 5);
    EXPECT_EQ(ra.failed, 0) << "no save waited for the other one longer than it may";
    EXPECT_EQ(rb.failed, 0);

    Win32FileSystem files;
    const FileContent content = files.readFile(file, kWholeFile);
    ASSERT_GE(content.bytes.size(), 2u);
    EXPECT_EQ(content.bytes[0], 0xFF);
    EXPECT_EQ(content.bytes[1], 0xFE);
    const DecodedText text = decodeText(content.bytes, files);
    ASSERT_EQ(text.form, TextForm::Utf16Le);
    const IniDocument ini(text.text, equalsIgnoreCase);
    std::vector<std::wstring> sections = ini.sectionNames();
    std::sort(sections.begin(), sections.end());
    EXPECT_EQ(sections, (std::vector<std::wstring>{L"Bestand", L"FORM_Kopie A", L"FORM_Kopie B", L"KONFIG",
                                                   L"Kopie A", L"Kopie B"}));
    EXPECT_EQ(ini.values(L"Bestand"), (IniEntries{{L"k", L"v"}}));
    const std::wstring lastA = L"Kopie A-" + std::to_wstring(ra.last), lastB = L"Kopie B-" + std::to_wstring(rb.last);
    expectOneSave(ini, L"Kopie A", lastA, 24);
    expectOneSave(ini, L"Kopie B", lastB, 24);
    expectOneSave(ini, L"FORM_Kopie A", lastA, 4);
    expectOneSave(ini, L"FORM_Kopie B", lastB, 4);
    const std::wstring konfig = ini.values(L"KONFIG").empty() ? L"" : ini.values(L"KONFIG")[0].second;
    EXPECT_TRUE(konfig == lastA || konfig == lastB) << "KONFIG is the last save of one of the two";
    expectOneSave(ini, L"KONFIG", konfig, 4);
}

}  // namespace
