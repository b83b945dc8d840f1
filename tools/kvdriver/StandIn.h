#pragma once
// The stand-in players of tools/standin, as the tests and the fade benchmark use them:
// started with a log file, found by their window, and their log read back.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kvdriver/Process.h"
#include "kvdriver/Wait.h"

namespace kvdriver {

inline constexpr const wchar_t* kWinampClass = L"Winamp v1.x";
inline constexpr const wchar_t* kCompanionClass = L"TTB_WMSAPI";

// One line of a stand-in's log.
struct LoggedMessage {
    long long micros = 0;   // QueryPerformanceCounter in microseconds
    std::string kind;       // "sent", "posted", "own" or "replied"
    unsigned message = 0;
    long long wParam = 0;   // for "replied": the reply
    long long lParam = 0;
};

// Now on the stand-ins' clock.
long long clockMicros();

class StandIn {
public:
    // Starts exe with "--log <log> <arguments>" and waits until its window of class cls
    // exists; throws std::runtime_error when it does not come within timeout.
    StandIn(const std::wstring& exe, const std::wstring& cls, const std::wstring& log,
            const std::wstring& arguments = L"", Millis timeout = Millis{10000});

    HWND hwnd() const { return hwnd_; }
    Process& process() { return process_; }

    // Every line logged so far.
    std::vector<LoggedMessage> log() const;
    // The messages from WM_USER on that were sent or posted to it (no replies).
    std::vector<LoggedMessage> userMessages() const;

private:
    Process process_;
    std::wstring log_;
    HWND hwnd_ = nullptr;
};

}  // namespace kvdriver
