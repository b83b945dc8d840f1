// Version resource, system error texts, clock and random numbers of the Win32 layer.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <ctime>
#include <map>
#include <string>

#include "app/win32/Win32Clock.h"
#include "app/win32/Win32Random.h"
#include "app/win32/Win32VersionSource.h"
#include "app/win32/startoncemutex_unit.h"

namespace {

TEST(Win32VersionSource, OwnExecutableGivesItsVersionOrAnErrorText) {
    // Whether the test executable carries a version resource depends on how it was linked;
    // either way the answer must match what the executable holds.
    const bool hasResource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_VERSION) != nullptr;
    const kv::Win32VersionSource source;
    std::wstring error;
    const auto version = source.fileVersion(error);
    EXPECT_EQ(version.has_value(), hasResource);
    if (hasResource) {
        EXPECT_TRUE(error.empty());
    } else {
        EXPECT_FALSE(error.empty());
        EXPECT_NE(error.back(), L'\n');
    }
}

TEST(Win32VersionSource, FileWithoutVersionResourceGivesNothingAndAnErrorText) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring path = std::wstring(temp) + L"kv_kein_programm_" +
                              std::to_wstring(GetCurrentProcessId()) + L".exe";
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "kein Programm", 13, &written, nullptr);
    CloseHandle(file);

    const kv::Win32VersionSource source(path);
    std::wstring error;
    EXPECT_FALSE(source.fileVersion(error).has_value());
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.back(), L'\n');
    DeleteFileW(path.c_str());
}

TEST(Win32VersionSource, ReadsTheFixedFileVersionOfASystemLibrary) {
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const kv::Win32VersionSource source(std::wstring(system) + L"\\kernel32.dll");
    std::wstring error;
    const auto version = source.fileVersion(error);
    ASSERT_TRUE(version.has_value()) << std::string(error.begin(), error.end());
    EXPECT_GE(version->major, 5);  // every supported system has at least 5.x libraries
    EXPECT_TRUE(error.empty());
}

TEST(Win32VersionSource, MissingFileGivesTheSystemText) {
    const kv::Win32VersionSource source(L"C:\\gibt\\es\\nicht.exe");
    std::wstring error;
    EXPECT_FALSE(source.fileVersion(error).has_value());
    EXPECT_FALSE(error.empty());
}

TEST(SystemErrorText, KnownCodeHasTextWithoutLineEnd) {
    const std::wstring text = kv::systemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text, L"2");
    EXPECT_NE(text.back(), L'\n');
    EXPECT_NE(text.back(), L'\r');
}

TEST(SystemErrorText, UnknownCodeFallsBackToTheNumber) {
    EXPECT_EQ(kv::systemErrorText(0x2FFFFFF0ul), L"805306352");
}

TEST(StartOnceMutexName, IsTheExecutableFileNameWithExtension) {
    const std::wstring path = kv::ownExecutablePath();
    const std::wstring name = kv::startOnceMutexName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find(L'\\'), std::wstring::npos);
    EXPECT_GE(name.size(), 5u);
    EXPECT_EQ(name.substr(name.size() - 4), L".exe");
    EXPECT_EQ(path.substr(path.size() - name.size()), name);
}

TEST(Win32Clock, NowAgreesWithTheRuntimeClock) {
    const kv::Win32Clock clock;
    const std::time_t before = std::time(nullptr);
    const kv::LocalTime now = clock.now();
    std::tm local{};
    ASSERT_EQ(localtime_s(&local, &before), 0);
    kv::LocalTime runtime;
    runtime.year = local.tm_year + 1900;
    runtime.month = local.tm_mon + 1;
    runtime.day = local.tm_mday;
    runtime.hour = local.tm_hour;
    runtime.minute = local.tm_min;
    runtime.second = local.tm_sec;
    const double secondsApart = (kv::toDayCount(now) - kv::toDayCount(runtime)) * 86400.0;
    EXPECT_GE(secondsApart, -1.0);
    EXPECT_LE(secondsApart, 3.0);
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
}

TEST(Win32Clock, TimeSeparatorIsTheRegionalOne) {
    const kv::Win32Clock clock;
    const std::wstring separator = clock.timeSeparator();
    ASSERT_FALSE(separator.empty());
    EXPECT_LE(separator.size(), 4u);
    EXPECT_EQ(separator.find_first_of(L"0123456789"), std::wstring::npos);
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    const std::wstring name = locale;
    if (name == L"en-US" || name == L"de-DE" || name == L"en-GB") {
        EXPECT_EQ(separator, L":");
    }
}

TEST(Win32Random, DrawsEveryNumberFrom1ToNUniformly) {
    kv::Win32Random random;
    random.seed();
    std::map<int, int> counts;
    constexpr int kDraws = 12000;
    for (int i = 0; i < kDraws; ++i) {
        const int g = random.draw(12);
        ASSERT_GE(g, 1);
        ASSERT_LE(g, 12);
        ++counts[g];
    }
    ASSERT_EQ(counts.size(), 12u);
    for (const auto& [value, count] : counts) {
        // Expected 1000 each; the standard deviation is about 30.
        EXPECT_GT(count, 850) << value;
        EXPECT_LT(count, 1150) << value;
    }
}

TEST(Win32Random, DrawOfOneOrLessIsOne) {
    kv::Win32Random random;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(random.draw(1), 1);
        EXPECT_EQ(random.draw(0), 1);
    }
}

TEST(Win32Random, SeedsTakenAtDifferentMomentsGiveDifferentSequences) {
    kv::Win32Random first;
    Sleep(2);
    kv::Win32Random second;
    int same = 0;
    for (int i = 0; i < 64; ++i) same += first.draw(1000000) == second.draw(1000000) ? 1 : 0;
    EXPECT_LT(same, 4);
}

}  // namespace
