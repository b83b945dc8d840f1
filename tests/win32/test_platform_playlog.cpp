// KVLOG.LOG on the real file system: every name read back whole, in a new log and in an
// 8-bit one converted for it.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "app/win32/Win32FileLocks.h"
#include "app/win32/Win32FileSystem.h"
#include "library/playlog.h"
#include "library/textencoding.h"

namespace {

using namespace kv;

const std::wstring kHeader = L"Datum Zeit Jinglename Jinglepfad\r\n";
const std::wstring kLine = L"05.03.2024 14:07:09 \u0141\u00f3d\u017a \u2603 \u65e5\u672c.wav C:\\Jingles\\\r\n";

class PlayLogOnDisk : public ::testing::Test {
protected:
    test::TempFolder temp;
    const std::wstring log = temp / L"KVLOG.LOG";
    Win32FileSystem files;
    Win32FileLocks locks;

    std::string bytes() const { return test::readBytes(log); }
    std::wstring text() const {
        const std::string raw = bytes();
        return decodeText(std::vector<std::uint8_t>(raw.begin(), raw.end()), files).text;
    }
};

TEST_F(PlayLogOnDisk, NewLogIsUtf8WithItsMarkAndKeepsTheName) {
    ASSERT_TRUE(appendLogLine(files, locks, log, kHeader, kLine));
    EXPECT_EQ(bytes().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(text(), kHeader + kLine);
}

TEST_F(PlayLogOnDisk, EightBitLogIsKeptForItsLettersAndConvertedWholeForOthers) {
    const std::string old = "Datum Zeit Jinglename Jinglepfad\r\n01.01.2024 10:00:00 M\xFCller.wav C:\\\r\n";
    test::writeBytes(log, old);
    if (files.fromAnsi("\xFC") != L"\u00fc") GTEST_SKIP() << "needs the Western European code page";
    ASSERT_TRUE(appendLogLine(files, locks, log, kHeader, L"02.01.2024 10:00:00 Gr\u00fc\u00dfe.wav C:\\\r\n"));
    EXPECT_EQ(bytes(), old + "02.01.2024 10:00:00 Gr\xFC\xDF" "e.wav C:\\\r\n") << "still 8-bit";
    ASSERT_TRUE(appendLogLine(files, locks, log, kHeader, kLine));
    EXPECT_EQ(bytes().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(text(), L"Datum Zeit Jinglename Jinglepfad\r\n01.01.2024 10:00:00 M\u00fcller.wav C:\\\r\n"
                      L"02.01.2024 10:00:00 Gr\u00fc\u00dfe.wav C:\\\r\n" + kLine);
}

TEST_F(PlayLogOnDisk, ALogHeldWithoutSharingLosesTheLineButStaysAsItWas) {
    test::writeBytes(log, "alt\r\n");
    const HANDLE held = CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(appendLogLine(files, locks, log, kHeader, kLine));
    CloseHandle(held);
    EXPECT_EQ(bytes(), "alt\r\n");
}

}  // namespace
