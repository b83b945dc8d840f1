#pragma once
// The fade controller's window messages and pauses on Win32. Sends wait through
// SendMessageTimeoutW with SMTO_ABORTIFHUNG: a receiver that is hung already is not waited
// for, one that stops answering is given up on after the caller's time limit.
//
// The pauses of a blocking fade end at absolute deadlines on the performance counter (the
// n-th pause ends n intervals after the fade began, whatever the sends in between took).
// While any fade is paced (blocking, or on the fade timer) the system timer runs at 1 ms:
// under the default 15.6 ms resolution a Sleep(50) lasts up to 62.5 ms, and a 50 ms window
// timer ticks on the same coarse grid.
#include "remote/WindowMessages.h"

namespace kv::remote::win32 {

class Win32WindowMessages final : public IWindowMessages, public ISleep {
public:
    WindowHandle findWindow(const std::wstring& className) override;
    bool isWindowOfClass(WindowHandle window, const std::wstring& className) override;
    std::optional<std::intptr_t> send(WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                                      std::intptr_t lParam, int timeoutMs) override;
    void post(WindowHandle window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override;
    void sleep(int milliseconds) override;
    long long nowMs() const override;
    void beginPacing() override;
    void endPacing() override;

private:
    int pacing_ = 0;          // nested begins not yet ended
    bool fineTimer_ = false;  // timeBeginPeriod(1) is in force
    long long deadline_ = 0;  // performance counter ticks
};

}  // namespace kv::remote::win32
