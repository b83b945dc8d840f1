// The English language module Kavinta.EN as built: it loads as data, holds the English text
// of every number, and the texts fall back to the built-in German without it. The registry
// value that chooses it, as the program writes and reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "app/win32/Win32Registry.h"
#include "fakes/FakeRegistry.h"
#include "ui/localize_unit.h"
#include "ui/win32/LanguageModule.h"
#include "ui/win32/Win32Texts.h"

namespace kv::test {
namespace {

struct ListedText {
    TextId id;
    std::wstring text;
};

const std::vector<ListedText> kGerman = {
#define KV_TEXT(number, name, text) {TextId::name, text},
#include "app/texts_de.inc"
#undef KV_TEXT
};

const std::vector<ListedText> kEnglish = {
#define KV_TEXT(number, name, text) {TextId::name, text},
#include "app/texts_en.inc"
#undef KV_TEXT
};

std::wstring ownFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result(path, length);
    return result.substr(0, result.find_last_of(L'\\'));
}

// The module the build made: KV_LANGUAGE_MODULE (set by CTest), else beside the build's
// executables.
std::wstring builtModulePath() {
    wchar_t value[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KV_LANGUAGE_MODULE", value, MAX_PATH) > 0) return value;
    for (const std::wstring& candidate : {ownFolder() + L"\\Kavinta.EN", ownFolder() + L"\\..\\Kavinta.EN"})
        if (GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    return ownFolder() + L"\\Kavinta.EN";
}

// The string-table entry exactly as stored, without the German fallback.
std::wstring storedText(HMODULE module, TextId id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return {};
    return std::wstring(text, static_cast<size_t>(length));
}

TEST(LanguageModule, LoadsAsDataAndHoldsTheEnglishTextOfEveryNumber) {
    const std::wstring path = builtModulePath();
    const ui::win32::UniqueModule module = ui::win32::loadResourceModule(path);
    ASSERT_TRUE(module) << "cannot load " << testing::PrintToString(path) << " error " << GetLastError();
    const ui::win32::Win32Texts texts(module.get());
    for (const ListedText& t : kEnglish) {
        EXPECT_EQ(storedText(module.get(), t.id), t.text) << static_cast<int>(t.id);
        EXPECT_EQ(texts.text(t.id), t.text) << static_cast<int>(t.id);
    }
    EXPECT_EQ(texts.text(TextId::CapKatNeu), L"new");
}

TEST(LanguageModule, IsNoProgramButResourcesOnly) {
    const ui::win32::UniqueModule module = ui::win32::loadResourceModule(builtModulePath());
    ASSERT_TRUE(module);
    // Loaded as data, no code of it is mapped to run: no module of that name is listed.
    EXPECT_EQ(GetModuleHandleW(L"Kavinta.EN"), nullptr);
}

TEST(LanguageModule, WithoutTheModuleEveryTextIsTheBuiltInGerman) {
    TempFolder folder;
    const std::wstring exe = folder / L"Kavinta.exe";
    FakeRegistry registry;
    registry.values[{ui::kLocalesKey, exe}] = L"EN";
    const ui::win32::UniqueModule missing = ui::win32::loadLanguageModule(registry, exe);
    EXPECT_FALSE(missing);

    // A module without a string table: each text falls back on its own.
    const ui::win32::UniqueModule empty = ui::win32::loadResourceModule(L"comdlg32.dll");
    ASSERT_TRUE(empty);
    const ui::win32::Win32Texts texts(empty.get());
    for (const ListedText& t : kGerman) EXPECT_EQ(texts.text(t.id), t.text) << static_cast<int>(t.id);
}

TEST(LanguageModule, IsPickedBesideTheProgramForEnglishOnly) {
    TempFolder folder;
    const std::wstring exe = folder / L"Sender.exe";
    ASSERT_TRUE(CopyFileW(builtModulePath().c_str(), (folder / L"Sender.EN").c_str(), FALSE));
    FakeRegistry registry;
    EXPECT_FALSE(ui::win32::loadLanguageModule(registry, exe));
    registry.values[{ui::kLocalesKey, exe}] = L"DE";
    EXPECT_FALSE(ui::win32::loadLanguageModule(registry, exe));
    registry.values[{ui::kLocalesKey, exe}] = L"EN";
    const ui::win32::UniqueModule english = ui::win32::loadLanguageModule(registry, exe);
    ASSERT_TRUE(english);
    EXPECT_EQ(ui::win32::Win32Texts(english.get()).text(TextId::SpracheEingestellt),
              L"Language %s has been set. Please restart the application for the change to take effect.");
}

// The real registry of the current user, under a value name no program file has.
class LanguageRegistry : public ::testing::Test {
protected:
    const std::wstring name = L"Z:\\kv-test\\" + std::to_wstring(GetCurrentProcessId()) + L"\\Kavinta.exe";
    ~LanguageRegistry() override { RegDeleteKeyValueW(HKEY_CURRENT_USER, ui::kLocalesKey, name.c_str()); }
};

TEST_F(LanguageRegistry, WritesAStringValueUnderTheLocalesKeyAndReadsItBack) {
    Win32Registry registry;
    ui::SetInterfaceLanguage(registry, name, L"EN");
    wchar_t data[16] = {};
    DWORD bytes = sizeof(data);
    DWORD type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Embarcadero\\Locales", name.c_str(), RRF_RT_ANY, &type,
                           data, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(data), L"EN");
    ui::SetInterfaceLanguage(registry, name, L"DE");
    EXPECT_EQ(registry.readString(ui::kLocalesKey, name), std::optional<std::wstring>(L"DE"));
    EXPECT_EQ(registry.readString(ui::kLocalesKey, name + L"x"), std::nullopt);
}

TEST_F(LanguageRegistry, AKeyThatCannotBeCreatedFailsWithTheKeyNamed) {
    // A lasting key cannot be made below a volatile one: the write's create fails.
    const std::wstring parent = L"Software\\kv-test-volatile-" + std::to_wstring(GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, parent.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    Win32Registry registry;
    bool failed = false;
    try {
        registry.writeString(parent + L"\\child", name, L"EN");
    } catch (const RegistryError& error) {
        failed = true;
        EXPECT_NE(error.message().find(L"HKEY_CURRENT_USER\\" + parent), std::wstring::npos);
        EXPECT_NE(std::string(error.what()).find("HKEY_CURRENT_USER"), std::string::npos);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, parent.c_str());
    EXPECT_TRUE(failed) << "the write did not fail";
}

}  // namespace
}  // namespace kv::test
