#include "kvdriver/Environment.h"

#include <windows.h>

#include <array>
#include <cwchar>
#include <cwctype>

namespace kvdriver {
namespace {

bool startsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
    size_t i = 0;
    for (; prefix[i] != L'\0'; ++i) {
        if (i >= text.size() || std::towupper(text[i]) != std::towupper(prefix[i])) return false;
    }
    return true;
}

bool equalsNoCase(const std::wstring& a, const wchar_t* b) {
    return startsWithNoCase(a, b) && a.size() == std::wcslen(b);
}

}  // namespace

bool NoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const auto ca = std::towupper(a[i]);
        const auto cb = std::towupper(b[i]);
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

bool isInheritedVariable(const std::wstring& name) {
    static constexpr std::array kExact = {
        L"SystemRoot", L"SystemDrive", L"windir", L"ComSpec", L"PATH", L"PATHEXT", L"TEMP",
        L"TMP", L"DISPLAY", L"WAYLAND_DISPLAY", L"XAUTHORITY", L"HOME", L"USER", L"LOGNAME",
        L"LANG", L"XDG_RUNTIME_DIR", L"PULSE_SERVER", L"NUMBER_OF_PROCESSORS",
        L"PROCESSOR_ARCHITECTURE"};
    for (const wchar_t* exact : kExact)
        if (equalsNoCase(name, exact)) return true;
    return startsWithNoCase(name, L"WINE") || startsWithNoCase(name, L"LC_");
}

EnvironmentMap parseEnvironmentBlock(const wchar_t* block) {
    EnvironmentMap result;
    if (block == nullptr) return result;
    for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        const std::wstring line = entry;
        const size_t eq = line.find(L'=', 1);
        if (line.front() == L'=' || eq == std::wstring::npos) continue;
        result[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return result;
}

EnvironmentMap composeEnvironment(const EnvironmentMap& current, const EnvironmentMap& overrides) {
    EnvironmentMap result;
    for (const auto& [name, value] : current)
        if (isInheritedVariable(name)) result[name] = value;
    for (const auto& [name, value] : overrides) {
        if (value.empty())
            result.erase(name);
        else
            result[name] = value;
    }
    return result;
}

std::vector<wchar_t> toEnvironmentBlock(const EnvironmentMap& variables) {
    std::vector<wchar_t> block;
    for (const auto& [name, value] : variables) {
        const std::wstring line = name + L"=" + value;
        block.insert(block.end(), line.begin(), line.end());
        block.push_back(L'\0');
    }
    if (block.empty()) block.push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

EnvironmentMap currentEnvironment() {
    wchar_t* block = GetEnvironmentStringsW();
    EnvironmentMap result = parseEnvironmentBlock(block);
    if (block != nullptr) FreeEnvironmentStringsW(block);
    return result;
}

}  // namespace kvdriver
