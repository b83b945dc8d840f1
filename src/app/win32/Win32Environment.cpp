#include "app/win32/Win32Environment.h"

#include <windows.h>

namespace kv {

std::wstring Win32Environment::variable(const std::wstring& name) const {
    std::wstring value(256, L'\0');
    // The value may change between the two calls; retry until the buffer holds it.
    for (;;) {
        const DWORD length =
            GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) return {};  // unset (or set to an empty text)
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);  // length includes the terminating null here
    }
}

}  // namespace kv
