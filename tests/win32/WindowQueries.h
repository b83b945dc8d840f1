#pragma once
// What the Win32 tests read back from a window: its class, its text and its style bits.
#include <windows.h>

#include <string>

namespace kv::test {

inline std::wstring classOf(HWND window) {
    wchar_t buffer[128] = {};
    GetClassNameW(window, buffer, 128);
    return buffer;
}

inline std::wstring windowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

inline LONG_PTR styleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

}  // namespace kv::test
