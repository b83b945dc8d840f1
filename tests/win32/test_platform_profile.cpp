// KV.ini through the private-profile functions: encoding of new and existing files,
// section listing, erasing and write failures.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
    kv::Win32ProfileFile profile;
};

const std::wstring kPolish = L"\u0141\u00f3d\u017a \u2603";  // "Łódź ☃"

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
    EXPECT_EQ(entries->at(7).second.size(), 2047u) << "as long as a single read gives";
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

TEST_F(Win32ProfileFileTest, LongValuesAreReadUpTo2047Characters) {
    const std::wstring value(3000, L'v');
    ASSERT_TRUE(profile.writeString(ini, L"Kat", L"Jingle1", value));
    EXPECT_EQ(profile.readString(ini, L"Kat", L"Jingle1", L""), value.substr(0, 2047));
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
