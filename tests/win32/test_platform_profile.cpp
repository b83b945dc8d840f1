// KV.ini through the private-profile functions: encoding of new and existing files,
// section listing, erasing and write failures.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestFiles.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/win32/Win32FileLocks.h"
#include "app/win32/Win32FileSystem.h"
#include "library/win32/Win32ProfileFile.h"

namespace {

namespace fs = std::filesystem;

using kv::test::TempFolder;
using kv::test::readBytes;
using kv::test::writeBytes;

class Win32ProfileFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    const std::wstring ini = temp / L"KV.ini";
    kv::Win32FileSystem files;
    kv::Win32FileLocks locks;
    kv::Win32ProfileFile profile{files, locks};
};

const std::wstring kPolish = L"\u0141\u00f3d\u017a \u2603";  // "Łódź ☃"

// Text in the system's ANSI code page, as an older program or an editor saves the file.
std::string ansiBytes(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

// The text of a file that begins with the UTF-16LE mark.
std::wstring utf16Text(const std::string& bytes) {
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return L"<no UTF-16LE mark>";
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
    return text;
}

std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(fs::path(folder))) names.push_back(entry.path().filename().wstring());
    return names;
}

TEST_F(Win32ProfileFileTest, NewFileStartsWithUtf16MarkAndKeepsAnyText) {
    ASSERT_TRUE(profile.writeString(ini, kPolish, kPolish, kPolish));
    const std::string bytes = readBytes(ini);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.size() % 2, 0u);

    EXPECT_EQ(profile.readString(ini, kPolish, kPolish, L"fehlt"), kPolish);
    EXPECT_EQ(profile.sectionNames(ini), std::vector<std::wstring>{kPolish});
}

TEST_F(Win32ProfileFileTest, ExistingAnsiFileStaysAnsi) {
    writeBytes(ini, "[Alt]\r\nText1=eins\r\n");
    ASSERT_TRUE(profile.writeString(ini, L"Neu", L"Text2", L"zwei"));
    const std::string bytes = readBytes(ini);
    EXPECT_NE(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.find('\0'), std::string::npos);  // 8-bit text, no UTF-16 anywhere
    EXPECT_NE(bytes.find("[Neu]"), std::string::npos);
    EXPECT_NE(bytes.find("Text2=zwei"), std::string::npos);
    EXPECT_EQ(profile.readString(ini, L"Alt", L"Text1", L""), L"eins");
    EXPECT_EQ(profile.readString(ini, L"Neu", L"Text2", L""), L"zwei");
}

TEST_F(Win32ProfileFileTest, EmptyFileIsTakenAsNewAndKeepsAnyText) {
    writeBytes(ini, "");
    for (const wchar_t* key : {L"Text1", L"Jingle1", L"Text2"}) ASSERT_TRUE(profile.writeString(ini, kPolish, key, kPolish));
    EXPECT_EQ(readBytes(ini).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(profile.sectionNames(ini), std::vector<std::wstring>{kPolish}) << "one section, not one per key";
    EXPECT_EQ(profile.readString(ini, kPolish, L"Jingle1", L""), kPolish);
}

// An ANSI file that must take a section name, a caption or a path its code page lacks is
// converted to UTF-16LE first, with every character of its content.
TEST_F(Win32ProfileFileTest, AnsiFileIsConvertedWhenATextNeedsIt) {
    const std::wstring old = L"; von Hand\r\n[M\u00fcller]\r\nText1=Gr\u00fc\u00dfe \u00e4\r\n[B]\r\nx=1\r\n";
    ASSERT_TRUE(files.toAnsi(old).has_value()) << "the test needs a Western code page";
    struct Case { const wchar_t* what; std::wstring section, value; };
    for (const Case& c : {Case{L"section", kPolish, L"1"}, Case{L"value", L"B", L"C:\\Musik\\" + kPolish + L".mp3"}}) {
        SCOPED_TRACE(c.what);
        writeBytes(ini, ansiBytes(old));
        ASSERT_TRUE(profile.writeString(ini, c.section, L"Jingle1", c.value));
        const std::string bytes = readBytes(ini);
        const std::wstring now = utf16Text(bytes);
        EXPECT_EQ(now.substr(0, old.size()), old) << "the old content, every character of it";
        EXPECT_EQ(bytes.find('?'), std::string::npos);
        EXPECT_EQ(profile.readString(ini, c.section, L"Jingle1", L""), c.value);
        EXPECT_EQ(profile.readString(ini, L"M\u00fcller", L"Text1", L""), L"Gr\u00fc\u00dfe \u00e4");
        EXPECT_EQ(filesIn(temp.path()), std::vector<std::wstring>{L"KV.ini"}) << "no temporary file left";
    }
}

TEST_F(Win32ProfileFileTest, AnsiFileThatCannotBeReplacedIsLeftAsItIs) {
    const std::string old = "[Alt]\r\nText1=eins\r\n";
    writeBytes(ini, old);
    // Another program reads the file and lets others read it, but not replace it.
    const HANDLE held = CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(profile.writeString(ini, kPolish, L"Text1", kPolish));
    CloseHandle(held);
    EXPECT_EQ(readBytes(ini), old);
    EXPECT_EQ(filesIn(temp.path()), std::vector<std::wstring>{L"KV.ini"}) << "no temporary file left";
}

TEST_F(Win32ProfileFileTest, ExistingUtf16FileIsNotRewrittenAsAnsi) {
    ASSERT_TRUE(profile.writeString(ini, L"A", L"k", L"1"));
    ASSERT_TRUE(profile.writeString(ini, L"B", L"k", kPolish));
    const std::string bytes = readBytes(ini);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.find("\xFF\xFE", 2), std::string::npos);  // one mark only
    EXPECT_EQ(profile.readString(ini, L"B", L"k", L""), kPolish);
}

// The one-pass section read must give for every key what GetPrivateProfileStringW gives,
// quotes, blanks around the equals sign, repeated keys and overlong values included.
TEST_F(Win32ProfileFileTest, SectionReadGivesWhatReadingKeyByKeyGives) {
    const std::string longValue(3000, 'x');
    writeBytes(ini, "[Kat]\r\nText1=Intro\r\n  Text2 =  mit Blanks  \r\nText3=\"in Anfuehrung\"\r\n"
                    "Text4='einfach'\r\nText5=\"nur vorn\r\ntext1=zweites\r\nText6=\r\nJingle1=" +
                        longValue + "\r\n[Andere]\r\nText7=fremd\r\n");
    const auto entries = profile.readSection(ini, L"kat");
    ASSERT_TRUE(entries.has_value());
    std::vector<std::wstring> keys;
    for (const auto& [key, value] : *entries) {
        keys.push_back(key);
        // The first of two equal keys is the one a single read finds.
        if (key == L"text1") continue;
        EXPECT_EQ(value, profile.readString(ini, L"Kat", key, L"fehlt")) << key;
    }
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"Text1", L"Text2", L"Text3", L"Text4", L"Text5", L"text1",
                                                L"Text6", L"Jingle1"}));
    EXPECT_EQ(entries->at(0).second, L"Intro");
    EXPECT_EQ(entries->at(1).second, L"mit Blanks");
    EXPECT_EQ(entries->at(2).second, L"in Anfuehrung") << "quotes are removed as by a single read";
    EXPECT_EQ(entries->at(7).second, std::wstring(3000, L'x')) << "read whole, as a single read gives it";
}

TEST_F(Win32ProfileFileTest, SectionReadOfAMissingFileOrSectionIsEmpty) {
    const auto none = profile.readSection(ini, L"Kat");
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->empty());
    writeBytes(ini, "[Andere]\r\nText1=x\r\n");
    const auto other = profile.readSection(ini, L"Kat");
    ASSERT_TRUE(other.has_value());
    EXPECT_TRUE(other->empty());
}

TEST_F(Win32ProfileFileTest, SectionsThatOnePassCannotCarryAreLeftToSingleReads) {
    writeBytes(ini, "[Kat]\r\nText1=Intro\r\nOhneWert\r\n");
    EXPECT_FALSE(profile.readSection(ini, L"Kat").has_value()) << "a line without a value";
    std::string huge = "[Gross]\r\n";
    for (int i = 0; i < 40; ++i) huge += "Jingle" + std::to_string(i) + "=" + std::string(1000, 'p') + "\r\n";
    writeBytes(ini, huge);
    EXPECT_FALSE(profile.readSection(ini, L"Gross").has_value()) << "more than one read returns";
}

TEST_F(Win32ProfileFileTest, MissingFileGivesDefaultsAndNoSections) {
    EXPECT_EQ(profile.readString(ini, L"KONFIG", L"STYLENAME", L"Windows"), L"Windows");
    EXPECT_TRUE(profile.sectionNames(ini).empty());
    EXPECT_FALSE(fs::exists(fs::path(ini)));
}

TEST_F(Win32ProfileFileTest, MissingKeyOrSectionGivesDefault) {
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Text1", L"Intro"));
    EXPECT_EQ(profile.readString(ini, L"Kat", L"Text2", L"unbelegt"), L"unbelegt");
    EXPECT_EQ(profile.readString(ini, L"Andere", L"Text1", L"unbelegt"), L"unbelegt");
    EXPECT_EQ(profile.readString(ini, L"Kat", L"Text1", L"unbelegt"), L"Intro");
    // Section and key names match regardless of case.
    EXPECT_EQ(profile.readString(ini, L"KAT", L"text1", L"unbelegt"), L"Intro");
}

TEST_F(Win32ProfileFileTest, ExistingKeyIsReplacedWhereItStands) {
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Text1", L"alt"));
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Jingle1", L"C:\\a.mp3"));
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Text1", L"neu"));
    EXPECT_EQ(profile.readString(ini, L"Kat", L"Text1", L""), L"neu");
    EXPECT_EQ(profile.readString(ini, L"Kat", L"Jingle1", L""), L"C:\\a.mp3");
    EXPECT_EQ(profile.sectionNames(ini).size(), 1u);
}

// Equality of long texts, reported by length and first difference instead of in full.
::testing::AssertionResult sameText(const std::wstring& actual, const std::wstring& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure() << actual.size() << " characters instead of " << expected.size()
                                         << ", first difference at " << at;
}

// A caption or path of any length is read whole, alone or with its section, and a value
// read and written back stays whole.
TEST_F(Win32ProfileFileTest, LongValuesAreReadWholeAndWrittenBackWhole) {
    std::wstring caption;
    for (int i = 0; caption.size() < 5000; ++i) caption += L"Teil " + std::to_wstring(i) + L" \u00e4 ";
    caption += L"Ende";
    const std::wstring path = L"C:\\" + std::wstring(2047, L'p') + L"\\x.mp3";
    const std::wstring huge(70000, L'h');  // more than a section read returns
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Text1", caption));
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Jingle1", path));
    EXPECT_TRUE(sameText(profile.readString(ini, L"Kat", L"Text1", L""), caption));
    EXPECT_TRUE(sameText(profile.readString(ini, L"Kat", L"Jingle1", L""), path));
    const auto entries = profile.readSection(ini, L"Kat");
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_TRUE(sameText(entries->at(0).second, caption));
    EXPECT_TRUE(sameText(entries->at(1).second, path));

    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Text1", profile.readString(ini, L"Kat", L"Text1", L"")));
    EXPECT_TRUE(sameText(profile.readString(ini, L"Kat", L"Text1", L""), caption));
    ASSERT_TRUE(profile.writeString(ini, L"Gross", L"Text1", huge));
    EXPECT_TRUE(sameText(profile.readString(ini, L"Gross", L"Text1", L""), huge));
    // A default longer than the first buffer comes back whole too.
    EXPECT_TRUE(sameText(profile.readString(ini, L"Kat", L"fehlt", caption), caption));
}

TEST_F(Win32ProfileFileTest, SectionsAreListedInFileOrder) {
    for (const wchar_t* name : {L"Zeta", L"alpha", L"KONFIG", L"Mitte", L"FORM_Kavintamainform"})
        ASSERT_TRUE(profile.writeString(ini, name, L"k", L"v"));
    const std::vector<std::wstring> expected{L"Zeta", L"alpha", L"KONFIG", L"Mitte",
                                             L"FORM_Kavintamainform"};
    EXPECT_EQ(profile.sectionNames(ini), expected);
}

TEST_F(Win32ProfileFileTest, ListingGrowsUntilEverySectionFits) {
    // Far more than the first listing buffer holds.
    std::string text = "\xFF\xFE";
    std::vector<std::wstring> expected;
    for (int i = 0; i < 600; ++i) {
        expected.push_back(L"Kategorie mit langem Namen " + std::to_wstring(i));
        const std::wstring line = L"[" + expected.back() + L"]\r\nk=v\r\n";
        text.append(reinterpret_cast<const char*>(line.data()), line.size() * sizeof(wchar_t));
    }
    writeBytes(ini, text);
    EXPECT_EQ(profile.sectionNames(ini), expected);
}

TEST_F(Win32ProfileFileTest, EraseRemovesTheSectionWithAllItsKeys) {
    ASSERT_TRUE(profile.writeString(ini, L"Weg", L"Text1", L"a"));
    ASSERT_TRUE(profile.writeString(ini, L"Weg", L"Text2", L"b"));
    ASSERT_TRUE(profile.writeString(ini, L"Bleibt", L"Text1", L"c"));
    ASSERT_TRUE(profile.eraseSection(ini, L"weg"));
    EXPECT_EQ(profile.sectionNames(ini), std::vector<std::wstring>{L"Bleibt"});
    EXPECT_EQ(profile.readString(ini, L"Weg", L"Text1", L"fehlt"), L"fehlt");
    EXPECT_EQ(profile.readString(ini, L"Bleibt", L"Text1", L""), L"c");
}

TEST_F(Win32ProfileFileTest, ErasingInAMissingFileSucceedsWithoutCreatingIt) {
    EXPECT_TRUE(profile.eraseSection(ini, L"Kat"));
    EXPECT_FALSE(fs::exists(fs::path(ini)));
}

TEST_F(Win32ProfileFileTest, WriteToReadOnlyFileFails) {
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Text1", L"vorher"));
    ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(profile.writeString(ini, L"Kat", L"Text1", L"nachher"));
    EXPECT_FALSE(profile.eraseSection(ini, L"Kat"));
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(profile.readString(ini, L"Kat", L"Text1", L""), L"vorher");
}

TEST_F(Win32ProfileFileTest, WriteToAFileLockedByAnotherProgramFails) {
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Text1", L"vorher"));
    const HANDLE locked = CreateFileW(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(profile.writeString(ini, L"Kat", L"Text1", L"nachher"));
    CloseHandle(locked);
    EXPECT_EQ(profile.readString(ini, L"Kat", L"Text1", L""), L"vorher");
}

TEST_F(Win32ProfileFileTest, WriteFailsWhenTheFileCannotBeCreated) {
    const std::wstring unreachable = temp / L"fehlt\\KV.ini";
    EXPECT_FALSE(profile.writeString(unreachable, L"Kat", L"Text1", L"x"));
    EXPECT_FALSE(fs::exists(fs::path(unreachable)));
}

TEST(SplitNullSeparated, SplitsAtNullsAndStopsAtTheEmptyText) {
    const wchar_t list[] = L"eins\0zwei\0\0drei";
    EXPECT_EQ(kv::splitNullSeparated(list, 16), (std::vector<std::wstring>{L"eins", L"zwei"}));
    EXPECT_TRUE(kv::splitNullSeparated(list, 0).empty());
    // A list cut short without its final null still yields what it holds.
    EXPECT_EQ(kv::splitNullSeparated(list, 7), (std::vector<std::wstring>{L"eins", L"zw"}));
}

}  // namespace

namespace {

// --- The one rule for names: what the profile functions file under one section

// Writes under one spelling and reads under the other: whether the profile functions took
// both for one section.
bool profileMerges(kv::Win32ProfileFile& profile, const std::wstring& file, const std::wstring& a,
                   const std::wstring& b) {
    EXPECT_TRUE(profile.writeString(file, a, L"k", L"v"));
    const bool merged = profile.readString(file, b, L"k", L"-") == L"v";
    EXPECT_TRUE(profile.eraseSection(file, a));
    return merged;
}

TEST_F(Win32ProfileFileTest, NamesTheProfileFunctionsTakeForOneSectionAreTheSameName) {
    const std::vector<std::pair<std::wstring, std::wstring>> pairs{
        {L"Morgen", L"MORGEN"},
        {kPolish, L"\u0141\u00d3D\u0179 \u2603"},        // "ŁÓDŹ ☃"
        {L"\u043f\u0435\u0441\u043d\u044f", L"\u041f\u0415\u0421\u041d\u042f"},  // Cyrillic
        {L"Stra\u00dfe", L"STRASSE"},                        // no locale rule makes ß two letters
        {L"\u00e9t\u00e9", L"ete"},                          // accents count
        {L"Spot", L"Spot "},
    };
    // Never narrower than the file: a name it would merge with a listed one is that one.
    int merged = 0;
    for (const auto& [a, b] : pairs) {
        if (!profileMerges(profile, ini, a, b)) continue;
        ++merged;
        EXPECT_TRUE(profile.sameName(a, b)) << "pair " << std::string(a.begin(), a.end());
    }
    EXPECT_GE(merged, 2) << "capitals and blanks at the end merge everywhere";
    // Letters beyond ASCII fold too, whatever this system's profile functions do.
    EXPECT_TRUE(profile.sameName(kPolish, L"\u0141\u00d3D\u0179 \u2603"));
    EXPECT_TRUE(profile.sameName(L"\u043f\u0435\u0441\u043d\u044f", L"\u041f\u0415\u0421\u041d\u042f"));
    // No locale rule: these are different names.
    EXPECT_FALSE(profile.sameName(L"Stra\u00dfe", L"STRASSE"));
    EXPECT_FALSE(profile.sameName(L"\u00e9t\u00e9", L"ete"));
}

}  // namespace
