// The start-up baseline: a plain Win32 window with one drop-down list. Like the program
// it reads the section names of %APPDATA%\Kavinta\KV.ini while the window is created,
// and 100 ms after the message loop starts it selects the first entry.
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kClassName[] = L"KvBareWindow";
constexpr int kComboId = 101;
constexpr UINT_PTR kStartTimer = 1;

std::wstring iniPath() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH);
    return std::wstring(buffer, n) + L"\\Kavinta\\KV.ini";
}

std::vector<std::wstring> sectionNames(const std::wstring& file) {
    std::vector<wchar_t> buffer(32768, L'\0');
    const DWORD n = GetPrivateProfileStringW(nullptr, nullptr, L"", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < n && buffer[i] != L'\0'; i += static_cast<DWORD>(names.back().size()) + 1)
        names.emplace_back(&buffer[i]);
    return names;
}

void fillCombo(HWND combo) {
    for (const auto& name : sectionNames(iniPath()))
        if (lstrcmpiW(name.c_str(), L"KONFIG") != 0)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_CREATE: {
        HWND combo = CreateWindowExW(0, L"COMBOBOX", L"",
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_SORT,
                                     16, 16, 240, 200, hwnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)),
                                     GetModuleHandleW(nullptr), nullptr);
        SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        fillCombo(combo);
        SetTimer(hwnd, kStartTimer, 100, nullptr);
        return 0;
    }
    case WM_TIMER:
        if (wp == kStartTimer) {
            KillTimer(hwnd, kStartTimer);
            HWND combo = GetDlgItem(hwnd, kComboId);
            if (SendMessageW(combo, CB_GETCOUNT, 0, 0) > 0) SendMessageW(combo, CB_SETCURSEL, 0, 0);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(0, kClassName, L"Bare window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 419, 510, nullptr,
                                nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
