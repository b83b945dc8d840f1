#pragma once
// The window messages the fade controller sends to other programs, and its pause between
// the steps of a blocking fade, as small interfaces: Win32 on Windows, fakes in the tests.
#include <cstdint>
#include <optional>
#include <string>

namespace kv::remote {

using WindowHandle = std::uintptr_t;  // 0: no window
inline constexpr WindowHandle kNeverLookedUp = ~WindowHandle{0};

class IWindowMessages {
public:
    virtual ~IWindowMessages() = default;
    // The top-level window of this class, any title; 0 when there is none.
    virtual WindowHandle findWindow(const std::wstring& className) = 0;
    // True while window is a window of this class (a window faded earlier may be gone).
    virtual bool isWindowOfClass(WindowHandle window, const std::wstring& className) = 0;
    // Sends and waits for the receiver's reply, at most timeoutMs; a receiver that is hung
    // already is not waited for. Empty when the receiver did not answer.
    virtual std::optional<std::intptr_t> send(WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                                              std::intptr_t lParam, int timeoutMs) = 0;
    virtual void post(WindowHandle window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) = 0;
};

class ISleep {
public:
    virtual ~ISleep() = default;
    virtual void sleep(int milliseconds) = 0;  // without handling messages
    // Milliseconds on a steady clock, the one the pauses are measured on.
    virtual long long nowMs() const = 0;
    // Around a fade that is paced: the pauses of a blocking fade, or the run of the fade
    // timer. An implementation can then space the steps by the clock and keep the system
    // timer fine for that time only. Calls nest; each begin is followed by one end.
    virtual void beginPacing() {}
    virtual void endPacing() {}
};

}  // namespace kv::remote
