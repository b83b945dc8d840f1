#include "app/win32/Win32Clock.h"

#include <windows.h>

namespace kv {

LocalTime Win32Clock::now() const {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::wstring Win32Clock::timeSeparator() const {
    wchar_t buffer[16] = {};  // the setting holds at most four characters
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, buffer, 16);
    if (length <= 1) return L":";  // failure, or only the terminating null
    return std::wstring(buffer, static_cast<std::size_t>(length - 1));
}

void Win32Clock::sleep(int milliseconds) const {
    Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

}  // namespace kv
