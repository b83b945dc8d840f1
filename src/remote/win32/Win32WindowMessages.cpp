#include "remote/win32/Win32WindowMessages.h"

#include <windows.h>

namespace kv::remote::win32 {

namespace {
HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
}  // namespace

WindowHandle Win32WindowMessages::findWindow(const std::wstring& className) {
    return reinterpret_cast<WindowHandle>(FindWindowW(className.c_str(), nullptr));
}

std::optional<std::intptr_t> Win32WindowMessages::send(WindowHandle window, std::uint32_t message,
                                                       std::intptr_t wParam, std::intptr_t lParam, int timeoutMs) {
    DWORD_PTR result = 0;
    const LRESULT answered =
        SendMessageTimeoutW(toHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
                            SMTO_NORMAL | SMTO_ABORTIFHUNG, static_cast<UINT>(timeoutMs), &result);
    if (answered == 0) return std::nullopt;
    return static_cast<std::intptr_t>(result);
}

void Win32WindowMessages::post(WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                               std::intptr_t lParam) {
    PostMessageW(toHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

void Win32WindowMessages::sleep(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

}  // namespace kv::remote::win32
