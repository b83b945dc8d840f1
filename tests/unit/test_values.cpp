// Value conversions: INI integers, the version text, the monitor's time text, texts.
#include <gtest/gtest.h>

#include "../fakes/Fakes.h"
#include "app/os_api_unit.h"
#include "library/IniFile.h"
#include "playback/jingletime.h"
#include "app/Texts.h"

using namespace kv;

namespace {

TEST(IniInteger, DecimalHexAndRubbish) {
    EXPECT_EQ(parseIniInteger(L"150", 0), 150);
    EXPECT_EQ(parseIniInteger(L"-500", 0), -500);
    EXPECT_EQ(parseIniInteger(L"0x1F", 0), 31);
    EXPECT_EQ(parseIniInteger(L"$ff", 0), 255);
    EXPECT_EQ(parseIniInteger(L"dreissig", 30), 30);
    EXPECT_EQ(parseIniInteger(L"12abc", 30), 30);
    EXPECT_EQ(parseIniInteger(L"", 7), 7);
    EXPECT_EQ(parseIniInteger(L"-", 7), 7);
    EXPECT_EQ(parseIniInteger(L"99999999999", 7), 7);
    EXPECT_EQ(parseIniInteger(L"-2147483648", 7), -2147483647 - 1);
}

TEST(VersionText, MinorHasTwoDigitsAndReleaseIsALetter) {
    EXPECT_EQ(formatVersion({3, 4, 0, 0}), L"3.04");
    EXPECT_EQ(formatVersion({1, 5, 2, 0}), L"1.05b");
    EXPECT_EQ(formatVersion({1, 0, 3, 9}), L"1.00c");
    EXPECT_EQ(formatVersion({2, 12, 0, 0}), L"2.12");
}

TEST(VersionText, FailureWarnsAndGivesAnEmptyText) {
    test::FakeVersionSource source;
    source.version.reset();
    source.error = L"Die angegebene Ressource wurde nicht gefunden.";
    test::FakeDialogs dialogs;
    kv::BuiltinTexts texts;
    EXPECT_EQ(GetAppVersionStr(source, dialogs, texts), L"");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].type, kv::MessageType::Warning);
    EXPECT_EQ(dialogs.messages[0].text, L"GetAppVersionStr() : Die angegebene Ressource wurde nicht gefunden.");
}

TEST(JingleTime, SecondsColonThreeDigitMilliseconds) {
    EXPECT_EQ(formatJingleTime(0), L"0:000");
    EXPECT_EQ(formatJingleTime(5), L"0:005");
    EXPECT_EQ(formatJingleTime(999), L"0:999");
    EXPECT_EQ(formatJingleTime(1000), L"1:000");
    EXPECT_EQ(formatJingleTime(61234), L"61:234");
}

TEST(JingleTime, RemainingWrapsLike32BitSigned) {
    EXPECT_EQ(remainingMs(30000, 28500), 1500);
    EXPECT_EQ(remainingMs(INT32_MIN, 1), INT32_MAX);
}

TEST(Texts, MessagesAreExactAndPlaceholdersFilled) {
    kv::BuiltinTexts texts;
    EXPECT_EQ(texts.text(kv::TextId::LaeuftBereits), L"Anwendung \"%s\" läuft bereits!");
    EXPECT_EQ(kv::formatText(texts.text(kv::TextId::LaeuftBereits), L"Kavinta.exe"),
              L"Anwendung \"Kavinta.exe\" läuft bereits!");
    EXPECT_EQ(kv::formatText(kv::formatNumber(texts.text(kv::TextId::FehlerNummer), 263), L"kein Gerät"),
              L"Fehler 263 : kein Gerät");
    EXPECT_EQ(texts.text(kv::TextId::CapJingletimer), L"zufälliges Jingle einspielen aller ");
    EXPECT_EQ(kv::joinMessage(L"a", L"b"), L"a\n\rb");
}

}  // namespace
