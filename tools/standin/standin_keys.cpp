// A stand-in for another program on the operator's desk, for the tests of Kavinta's
// system-wide F-keys: a visible window that can take the focus and writes every key it
// receives to a log file, and that can hold some of F1 ... F12 as hot keys itself, as
// another program may.
//
//   <exe> --log <file> [--hold N,N,...]
//
// --hold  registers F<N> as hot keys of its window (no modifier) before anything else
//
// Log lines, written at once, in the stand-in log format of the player stand-ins:
//   <microseconds> held <N> <1 registered | 0 refused>   for each --hold key
//   <microseconds> key <WM_KEYDOWN | WM_SYSKEYDOWN> <virtual key>
//   <microseconds> hotkey <WM_HOTKEY> <id>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <share.h>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kWindowClass = L"KvStandInKeys";
FILE* gLog = nullptr;

long long microsecondsNow() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return counter.QuadPart / frequency.QuadPart * 1000000 +
           counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

void logLine(const char* kind, unsigned first, long long second) {
    if (gLog == nullptr) return;
    std::fprintf(gLog, "%lld %s %u %lld\n", microsecondsNow(), kind, first, second);
    std::fflush(gLog);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN: case WM_SYSKEYDOWN: logLine("key", message, static_cast<long long>(wParam)); break;
        case WM_HOTKEY: logLine("hotkey", message, static_cast<long long>(wParam)); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<int> parseKeys(const std::wstring& list) {
    std::vector<int> keys;
    size_t start = 0;
    while (start < list.size()) {
        const size_t comma = list.find(L',', start);
        const std::wstring item = list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        const int n = _wtoi(item.c_str());
        if (n >= 1 && n <= 12) keys.push_back(n);
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    return keys;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring log;
    std::vector<int> hold;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring arg = argv[i];
        if (arg == L"--log") log = argv[i + 1];
        else if (arg == L"--hold") hold = parseKeys(argv[i + 1]);
        else return 2;
    }
    if (log.empty()) return 2;
    gLog = _wfsopen(log.c_str(), L"w", _SH_DENYNO);
    if (gLog == nullptr) return 3;

    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    if (RegisterClassW(&wc) == 0) return 4;
    HWND hwnd = CreateWindowExW(0, kWindowClass, L"Stand-in program", WS_OVERLAPPEDWINDOW, 500, 100, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd == nullptr) return 5;
    for (int n : hold) logLine("held", static_cast<unsigned>(n), RegisterHotKey(hwnd, n, 0, VK_F1 + n - 1) ? 1 : 0);
    ShowWindow(hwnd, SW_SHOW);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::fclose(gLog);
    return 0;
}
