#include "app/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "app/win32/UniqueHandle.h"
#include "app/win32/Win32VersionSource.h"

namespace kv {

namespace {

struct RegistryKeyTraits {
    static void free(HKEY key) noexcept { RegCloseKey(key); }
};
using UniqueKey = UniqueResource<HKEY, RegistryKeyTraits>;

[[noreturn]] void fail(const std::wstring& key, LSTATUS status) {
    throw RegistryError(L"HKEY_CURRENT_USER\\" + key + L":\n\r" + systemErrorText(static_cast<unsigned long>(status)));
}

}  // namespace

void Win32Registry::writeString(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    HKEY opened = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS) fail(key, status);
    const UniqueKey owner(opened);  // closed also when the write fails
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(owner.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            bytes);
    if (status != ERROR_SUCCESS) fail(key, status);
}

std::optional<std::wstring> Win32Registry::readString(const std::wstring& key, const std::wstring& name) const {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    const UniqueKey owner(opened);
    DWORD bytes = 0;
    if (RegGetValueW(owner.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(owner.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer.data());
}

}  // namespace kv
