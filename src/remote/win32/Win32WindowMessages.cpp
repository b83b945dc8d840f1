#include "remote/win32/Win32WindowMessages.h"

#include <windows.h>
#include <mmsystem.h>

namespace kv::remote::win32 {

namespace {
HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

long long counterNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

long long counterFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}
}  // namespace

WindowHandle Win32WindowMessages::findWindow(const std::wstring& className) {
    return reinterpret_cast<WindowHandle>(FindWindowW(className.c_str(), nullptr));
}

bool Win32WindowMessages::isWindowOfClass(WindowHandle window, const std::wstring& className) {
    if (window == 0 || !IsWindow(toHwnd(window))) return false;
    wchar_t name[256] = {};
    const int length = GetClassNameW(toHwnd(window), name, 256);
    return length > 0 && className == std::wstring(name, static_cast<size_t>(length));
}

long long Win32WindowMessages::nowMs() const { return counterNow() * 1000 / counterFrequency(); }

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

void Win32WindowMessages::sleep(int milliseconds) {
    if (pacing_ == 0) {
        Sleep(static_cast<DWORD>(milliseconds));
        return;
    }
    const long long frequency = counterFrequency();
    deadline_ += frequency * milliseconds / 1000;
    // A step that took longer than its interval is not made up for by later short pauses.
    const long long now = counterNow();
    if (deadline_ < now) deadline_ = now;
    const long long remainingMs = (deadline_ - now) * 1000 / frequency;
    if (remainingMs > 0) Sleep(static_cast<DWORD>(remainingMs));
    while (counterNow() < deadline_) Sleep(0);  // the last fraction of a millisecond
}

void Win32WindowMessages::beginPacing() {
    if (pacing_++ == 0) fineTimer_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    deadline_ = counterNow();
}

void Win32WindowMessages::endPacing() {
    if (pacing_ == 0 || --pacing_ > 0) return;
    if (fineTimer_) timeEndPeriod(1);
    fineTimer_ = false;
}

}  // namespace kv::remote::win32
