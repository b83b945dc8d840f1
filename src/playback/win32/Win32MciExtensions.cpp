#include "playback/win32/Win32MciExtensions.h"

#include <windows.h>

#include "app/win32/UniqueHandle.h"

namespace kv {

namespace {

struct RegistryKeyTraits {
    static void free(HKEY key) noexcept { RegCloseKey(key); }
};
using UniqueKey = UniqueResource<HKEY, RegistryKeyTraits>;

constexpr const wchar_t* kMciExtensionsKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions";

}  // namespace

// Read at each question: a codec installed while the program runs counts from then on.
bool Win32MciExtensions::registered(const std::wstring& extension) const {
    if (extension.empty()) return false;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMciExtensionsKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    const UniqueKey key(opened);
    return RegQueryValueExW(key.get(), extension.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace kv
