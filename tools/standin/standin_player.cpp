// A stand-in for an outside player that Kavinta fades: it registers the player's window
// class, answers like the player, and writes every message it receives to a log file, so
// that the end-to-end tests and the fade benchmark can check what Kavinta sent and when.
//
// Built twice: KV_STANDIN_WINAMP gives the Winamp stand-in (class "Winamp v1.x", volume
// query and sets on WM_USER with lParam 122), without it the companion stand-in (class
// "TTB_WMSAPI", which only records its fade messages).
//
//   <exe> --log <file> [--volume N] [--hang-at K] [--hang-ms N] [--hang-start]
//         [--answer-ms MIN MAX]
//
// --volume     the Winamp stand-in's volume at start, 0 to 255 (default 200)
// --hang-at K  stop answering inside the handling of the K-th message from WM_USER on
//              (counted from 1): the handler sleeps --hang-ms before it returns
// --hang-start stop answering from the start: the window exists, but the thread sleeps
//              --hang-ms before it handles any message
// --hang-ms N  how long it hangs (default 5000)
// --answer-ms  a slow player: every message from WM_USER on is answered after a pause
//              drawn from MIN to MAX milliseconds
//
// Log lines, one per message received, written at once:
//   <microseconds> <sent|posted|own> <message> <wParam> <lParam>
// (sent: by another thread or process; posted: from the message queue; own: sent by the
// stand-in's own thread, as the system does while it creates the window)
// and, when the handler of a sent message returns, <microseconds> replied <message> <reply>.
// The clock is QueryPerformanceCounter in microseconds, the same for every process.
// WM_USER + 100 (wParam = K) tells it at run time to hang at the K-th message from now.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cwchar>
#include <share.h>
#include <string>

namespace {

#ifdef KV_STANDIN_WINAMP
constexpr const wchar_t* kWindowClass = L"Winamp v1.x";
// Winamp's volume message: set with wParam 0...255, query with wParam -666.
constexpr UINT kIpcMessage = WM_USER;
constexpr LPARAM kIpcSetVolume = 122;
constexpr WPARAM kQueryVolume = static_cast<WPARAM>(-666);
#else
constexpr const wchar_t* kWindowClass = L"TTB_WMSAPI";
#endif
constexpr UINT kHangControl = WM_USER + 100;

struct Options {
    std::wstring log;
    int volume = 200;
    int hangAt = 0;  // 0: never
    int hangMs = 5000;
    bool hangStart = false;
    int answerMinMs = 0;
    int answerMaxMs = 0;
};

Options gOptions;
FILE* gLog = nullptr;
int gUserMessages = 0;  // messages from WM_USER on, received so far
int gVolume = 200;
const MSG* gDispatching = nullptr;  // the queued message being dispatched now

long long microsecondsNow() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return counter.QuadPart / frequency.QuadPart * 1000000 +
           counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

void logLine(const char* kind, UINT message, long long first, long long second, bool withSecond) {
    if (gLog == nullptr) return;
    if (withSecond)
        std::fprintf(gLog, "%lld %s %u %lld %lld\n", microsecondsNow(), kind, message, first, second);
    else
        std::fprintf(gLog, "%lld %s %u %lld\n", microsecondsNow(), kind, message, first);
    std::fflush(gLog);
}

LRESULT answer(UINT message, WPARAM wParam, LPARAM lParam) {
#ifdef KV_STANDIN_WINAMP
    if (message == kIpcMessage && lParam == kIpcSetVolume) {
        if (wParam == kQueryVolume) return gVolume;
        gVolume = static_cast<int>(wParam & 0xFF);
        return 0;
    }
#else
    (void)wParam;
    (void)lParam;
#endif
    (void)message;
    return 0;
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool sent = (InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
    const bool posted = !sent && gDispatching != nullptr && gDispatching->hwnd == hwnd &&
                        gDispatching->message == message;
    logLine(sent ? "sent" : posted ? "posted" : "own", message, static_cast<long long>(static_cast<INT_PTR>(wParam)),
            static_cast<long long>(lParam), true);
    if (message == kHangControl) {
        gOptions.hangAt = gUserMessages + static_cast<int>(wParam);
        return 0;
    }
    if (message >= WM_USER) {
        ++gUserMessages;
        if (gUserMessages == gOptions.hangAt) Sleep(static_cast<DWORD>(gOptions.hangMs));
        if (gOptions.answerMaxMs > 0) {
            const int spread = gOptions.answerMaxMs - gOptions.answerMinMs + 1;
            Sleep(static_cast<DWORD>(gOptions.answerMinMs + std::rand() % (spread > 0 ? spread : 1)));
        }
        const LRESULT reply = answer(message, wParam, lParam);
        if (sent) logLine("replied", message, static_cast<long long>(reply), 0, false);
        return reply;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool parseOptions(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--log" && hasValue) gOptions.log = argv[++i];
        else if (arg == L"--volume" && hasValue) gOptions.volume = _wtoi(argv[++i]);
        else if (arg == L"--hang-at" && hasValue) gOptions.hangAt = _wtoi(argv[++i]);
        else if (arg == L"--hang-ms" && hasValue) gOptions.hangMs = _wtoi(argv[++i]);
        else if (arg == L"--hang-start") gOptions.hangStart = true;
        else if (arg == L"--answer-ms" && i + 2 < argc) {
            gOptions.answerMinMs = _wtoi(argv[++i]);
            gOptions.answerMaxMs = _wtoi(argv[++i]);
        }
        else return false;
    }
    return !gOptions.log.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (!parseOptions(argc, argv)) return 2;
    gVolume = gOptions.volume;
    gLog = _wfsopen(gOptions.log.c_str(), L"w", _SH_DENYNO);
    if (gLog == nullptr) return 3;

    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    if (RegisterClassW(&wc) == 0) return 4;
    // A hidden top-level window: FindWindowW does not see message-only windows.
    HWND hwnd = CreateWindowExW(0, kWindowClass, kWindowClass, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
    if (hwnd == nullptr) return 5;
    if (gOptions.hangStart) Sleep(static_cast<DWORD>(gOptions.hangMs));

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        gDispatching = &msg;
        DispatchMessageW(&msg);
        gDispatching = nullptr;
    }
    std::fclose(gLog);
    return 0;
}
