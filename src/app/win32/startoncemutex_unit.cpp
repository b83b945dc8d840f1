#include "app/win32/startoncemutex_unit.h"

#include <windows.h>

#include <cstdlib>

#include "app/strutil.h"
#include "app/win32/UniqueHandle.h"
#include "app/win32/Win32VersionSource.h"

namespace kv {

namespace {

// Held from the check until the process ends; closed by static destruction.
UniqueHandle g_startOnceMutex;

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

void writeLineToStdout(const std::wstring& text) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    const std::wstring line = text + L"\r\n";
    DWORD written = 0;
    if (isConsole(out)) {
        WriteConsoleW(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    // Redirected output gets the bytes of the console's output code page.
    const UINT codePage = GetConsoleOutputCP();
    const int size = WideCharToMultiByte(codePage, 0, line.data(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size,
                        nullptr, nullptr);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Waits until a whole line (or the end of input) has been read from standard input.
void waitForLineOnStdin() {
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    if (in == nullptr || in == INVALID_HANDLE_VALUE) return;
    char c = 0;
    DWORD read = 0;
    while (ReadFile(in, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
    }
}

void tellAlreadyRunning(const kv::ITexts& texts, const std::wstring& name) {
    const std::wstring message = kv::formatText(texts.text(kv::TextId::LaeuftBereits), name);
    if (GetConsoleWindow() != nullptr) {
        writeLineToStdout(message);
        waitForLineOnStdin();
    } else {
        MessageBoxW(nullptr, message.c_str(), L"Kavinta", MB_ICONWARNING | MB_OK);
    }
}

}  // namespace

std::wstring startOnceMutexName() {
    const std::wstring path = ownExecutablePath();
    const std::size_t slash = path.find_last_of(L"\\/");
    return trimmed(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

bool TakeStartOnce() {
    const std::wstring name = startOnceMutexName();
    if (name.empty()) return true;
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
    const DWORD error = GetLastError();
    g_startOnceMutex.reset(mutex);
    return error != ERROR_ALREADY_EXISTS;
}

void ReleaseStartOnce() { g_startOnceMutex.reset(); }

void CheckStartOnce(const kv::ITexts& texts) {
    if (TakeStartOnce()) return;
    tellAlreadyRunning(texts, startOnceMutexName());
    std::exit(0);  // runs static destruction, which closes the handle
}

}  // namespace kv
