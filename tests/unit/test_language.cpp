// The interface language: the buttons write the choice for the next start, the next start
// picks the language module from it, and the English list matches the German one.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "ui/localize_unit.h"

namespace kv::test {
namespace {

const std::wstring kLocales = L"Software\\Embarcadero\\Locales\\";
const std::wstring kExe = L"C:\\Programme\\Kavinta\\Kavinta.exe";

class LanguageButtons : public FormFixture {};

TEST_F(LanguageButtons, EnglishWritesTheCodeUnderTheProgramPathAndAsksForARestart) {
    auto& f = start();
    host.visible = true;
    f.B_lng_EN.click();
    ASSERT_EQ(registry.values.size(), 1u);
    EXPECT_EQ(registry.values.begin()->first.first, kLocales);
    EXPECT_EQ(registry.values.begin()->first.second, kExe);
    EXPECT_EQ(registry.values.begin()->second, L"EN");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].type, MessageType::Information);
    EXPECT_EQ(dialogs.messages[0].text,
              L"Sprache EN wurde eingestellt, bitte starten Sie die Anwendung neu damit die Änderung wirksam wird");
}

TEST_F(LanguageButtons, GermanAfterwardsReplacesTheValueAndLeavesOthersAlone) {
    registry.values[{kLocales, L"D:\\other\\Kavinta.exe"}] = L"EN";
    auto& f = start();
    f.B_lng_EN.click();
    f.B_lng_DE.click();
    EXPECT_EQ(registry.values.size(), 2u);
    EXPECT_EQ(registry.readString(kLocales, kExe), std::optional<std::wstring>(L"DE"));
    EXPECT_EQ(registry.readString(kLocales, L"D:\\other\\Kavinta.exe"), std::optional<std::wstring>(L"EN"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, formatText(text(TextId::SpracheEingestellt), L"DE"));
}

TEST_F(LanguageButtons, AFailedWriteLeavesTheHandlerWithoutTheNotice) {
    registry.failWrites = true;
    auto& f = start();
    EXPECT_THROW(f.B_lng_EN.click(), RegistryError);
    EXPECT_EQ(registry.writeCalls, 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The start-up choice of the language module.
TEST(LanguageModulePath, OnlyAnotherLanguageForThisPathNamesAModule) {
    FakeRegistry registry;
    EXPECT_EQ(ui::languageModulePath(registry, kExe), std::nullopt);  // no value

    registry.values[{kLocales, kExe}] = L"EN";
    EXPECT_EQ(ui::languageModulePath(registry, kExe), std::optional<std::wstring>(L"C:\\Programme\\Kavinta\\Kavinta.EN"));
    // Another path has no choice of its own.
    EXPECT_EQ(ui::languageModulePath(registry, L"C:\\Kopie\\Kavinta.exe"), std::nullopt);

    registry.values[{kLocales, kExe}] = L"DE";
    EXPECT_EQ(ui::languageModulePath(registry, kExe), std::nullopt);
    registry.values[{kLocales, kExe}] = L"de";
    EXPECT_EQ(ui::languageModulePath(registry, kExe), std::nullopt);
}

TEST(LanguageModulePath, ACodeThatIsNoLanguageCodeIsIgnored) {
    FakeRegistry registry;
    for (const wchar_t* code : {L"", L"E", L"..\\x", L"EN.dll", L"ENGL", L"E1"}) {
        registry.values[{kLocales, kExe}] = code;
        EXPECT_EQ(ui::languageModulePath(registry, kExe), std::nullopt) << "code " << testing::PrintToString(std::wstring(code));
    }
}

TEST(LanguageModulePath, TheCodeReplacesOnlyTheFileExtension) {
    FakeRegistry registry;
    const std::wstring dotted = L"C:\\Sender.v2\\Kavinta";
    registry.values[{kLocales, dotted}] = L"EN";
    EXPECT_EQ(ui::languageModulePath(registry, dotted), std::optional<std::wstring>(L"C:\\Sender.v2\\Kavinta.EN"));
}

// Both text lists, as the compiler reads them.
struct ListedText {
    int number;
    std::string name;
    std::wstring text;
};

const std::vector<ListedText> kGerman = {
#define KV_TEXT(number, name, text) {number, #name, text},
#include "app/texts_de.inc"
#undef KV_TEXT
};

const std::vector<ListedText> kEnglish = {
#define KV_TEXT(number, name, text) {number, #name, text},
#include "app/texts_en.inc"
#undef KV_TEXT
};

std::map<int, ListedText> byNumber(const std::vector<ListedText>& list) {
    std::map<int, ListedText> result;
    for (const ListedText& t : list) EXPECT_TRUE(result.emplace(t.number, t).second) << "number twice: " << t.number;
    return result;
}

// The placeholders of a text in their order ("%s%d").
std::wstring placeholders(const std::wstring& text) {
    std::wstring result;
    for (size_t at = text.find(L'%'); at != std::wstring::npos && at + 1 < text.size(); at = text.find(L'%', at + 2))
        result += text.substr(at, 2);
    return result;
}

TEST(TextLists, EnglishHasExactlyTheGermanNumbersAndNames) {
    const auto german = byNumber(kGerman);
    const auto english = byNumber(kEnglish);
    for (const auto& [number, t] : german) {
        auto it = english.find(number);
        ASSERT_NE(it, english.end()) << "no English text " << number << " (" << t.name << ")";
        EXPECT_EQ(it->second.name, t.name) << number;
    }
    for (const auto& [number, t] : english)
        EXPECT_TRUE(german.count(number)) << "English text " << number << " has no German one";
}

TEST(TextLists, EnglishKeepsEveryPlaceholderAndIsNeverEmpty) {
    const auto german = byNumber(kGerman);
    for (const ListedText& t : kEnglish) {
        EXPECT_FALSE(t.text.empty()) << t.number;
        auto it = german.find(t.number);
        if (it == german.end()) continue;
        EXPECT_EQ(placeholders(t.text), placeholders(it->second.text)) << t.number;
    }
}

TEST(TextLists, TheMessagesAreTranslated) {
    const auto english = byNumber(kEnglish);
    // Every message of the table differs; only names, marks and addresses may read the same.
    for (const ListedText& t : kGerman) {
        if (t.number < 65120 || t.number == 65181 || t.number == 65182) continue;
        if (t.number == 65411 || t.number == 65412) continue;  // the web and mail addresses
        if (t.number == 65220) continue;  // the command line's usage, the same in every language
        EXPECT_NE(english.at(t.number).text, t.text) << t.number << " (" << t.name << ") is still German";
    }
    EXPECT_EQ(english.at(64102).text, L"new");
}

}  // namespace
}  // namespace kv::test
