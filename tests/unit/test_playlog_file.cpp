// KVLOG.LOG on disk: UTF-8 with its mark when new, an 8-bit log kept until a line needs
// more, every entry under the file's lock.
#include <gtest/gtest.h>

#include "fakes/FakeFileLocks.h"
#include "fakes/Fakes.h"
#include "library/playlog.h"
#include "library/textencoding.h"

using namespace kv;
using namespace kv::test;

namespace {

const std::wstring kHeader = L"Datum Zeit Jinglename Jinglepfad\r\n";
const std::wstring kWorldLine = L"05.03.2024 14:07:09 \u0141\u00f3d\u017a \u2603 \u65e5\u672c.wav C:\\Jingles\\\r\n";

class LogFile : public ::testing::Test {
protected:
    const std::wstring log = L"C:\\Daten\\Kavinta\\KVLOG.LOG";
    FakeFileSystem files;
    FakeFileLocks locks;

    LogFile() { files.addDirectory(L"C:\\Daten\\Kavinta"); }
    bool append(const std::wstring& line) { return appendLogLine(files, locks, log, kHeader, line); }
    DecodedText onDisk() const { return decodeText(files.fileBytes(log), files); }
};

TEST_F(LogFile, NewLogIsUtf8WithItsMarkAndKeepsEveryName) {
    ASSERT_TRUE(append(kWorldLine));
    ASSERT_TRUE(append(L"05.03.2024 14:07:10 a.wav C:\\\r\n"));
    const DecodedText now = onDisk();
    EXPECT_EQ(now.form, TextForm::Utf8);
    EXPECT_EQ(now.text, kHeader + kWorldLine + L"05.03.2024 14:07:10 a.wav C:\\\r\n");
    EXPECT_EQ(locks.acquisitions, 2);
    EXPECT_FALSE(locks.holds(log));
}

TEST_F(LogFile, AnsiLogStaysAnsiWhileItsCodePageHoldsTheLine) {
    files.addFile(log, L"Datum Zeit Jinglename Jinglepfad\r\n01.01.2024 10:00:00 M\u00fcller.wav C:\\\r\n");
    ASSERT_TRUE(append(L"02.01.2024 10:00:00 Gr\u00fc\u00dfe.wav C:\\\r\n"));
    EXPECT_EQ(files.fileText(log), L"Datum Zeit Jinglename Jinglepfad\r\n01.01.2024 10:00:00 M\u00fcller.wav C:\\\r\n"
                                   L"02.01.2024 10:00:00 Gr\u00fc\u00dfe.wav C:\\\r\n");
}

TEST_F(LogFile, AnsiLogIsConvertedOnceWithEveryCharacterWhenALineNeedsIt) {
    const std::wstring old = L"Datum Zeit Jinglename Jinglepfad\r\n01.01.2024 10:00:00 M\u00fcller.wav C:\\\r\n";
    files.addFile(log, old);
    ASSERT_TRUE(append(kWorldLine));
    EXPECT_EQ(onDisk().form, TextForm::Utf8);
    EXPECT_EQ(onDisk().text, old + kWorldLine);
    ASSERT_TRUE(append(L"x\r\n"));
    EXPECT_EQ(onDisk().text, old + kWorldLine + L"x\r\n") << "appended as UTF-8 from now on";
    EXPECT_EQ(files.filesIn(L"C:\\Daten\\Kavinta").size(), 1u) << "no temporary file left";
}

TEST_F(LogFile, FailedConversionOrABusyLockLosesTheLineButNotTheLog) {
    const std::wstring old = L"Datum Zeit Jinglename Jinglepfad\r\n";
    files.addFile(log, old);
    files.failReplace = true;
    EXPECT_FALSE(append(kWorldLine));
    EXPECT_EQ(files.fileText(log), old);
    files.failReplace = false;
    locks.heldElsewhere = true;
    EXPECT_FALSE(append(L"a\r\n"));
    EXPECT_EQ(files.fileText(log), old);
}

TEST(Utf8, RoundTripsEveryPlaneAndReplacesBrokenSequences) {
    const std::wstring text = L"a\u00e4\u20ac\u65e5\U0001F3B5z";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(L"\u00e4"), (std::vector<std::uint8_t>{0xC3, 0xA4}));
    EXPECT_EQ(fromUtf8({0x61, 0xC3, 0x62, 0xE2, 0x82}), L"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(fromUtf8({0xC0, 0xAF}), L"\uFFFD\uFFFD") << "overlong forms are no characters";
}

}  // namespace
