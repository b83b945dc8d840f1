#pragma once
// The interface language: the choice written for the next start, and the language module
// that start picks.
#include <optional>
#include <string>

#include "app/Registry.h"

namespace kv::ui {

// Key of the language values (relative to the current user); other tools read it too.
inline constexpr const wchar_t* kLocalesKey = L"Software\\Embarcadero\\Locales\\";
inline constexpr const wchar_t* kLanguageGerman = L"DE";
inline constexpr const wchar_t* kLanguageEnglish = L"EN";

// Writes value as the string value valueName under kLocalesKey. A failure is not caught
// here: RegistryError reaches the caller.
void SetInterfaceLanguage(IRegistry& registry, const std::wstring& valueName, const std::wstring& value);

// The language module to load for the executable at exePath: the file named like it with
// the chosen code as extension ("C:\x\Kavinta.EN"). Nothing when no language is chosen for
// this path, when German (the built-in language) is chosen, or when the code is not a
// plain language code.
std::optional<std::wstring> languageModulePath(const IRegistry& registry, const std::wstring& exePath);

}  // namespace kv::ui
