#pragma once
// The fade controller's window messages and pauses on Win32. Sends wait through
// SendMessageTimeoutW with SMTO_ABORTIFHUNG: a receiver that is hung already is not waited
// for, one that stops answering is given up on after the caller's time limit.
//
// The pauses of a blocking fade end at absolute deadlines on the performance counter (the
// n-th pause ends n intervals after the fade began, whatever the sends in between took),
// with the system timer at 1 ms for the fade's duration only: under the default 15.6 ms
// resolution a Sleep(50) lasts up to 62.5 ms.
#include "remote/WindowMessages.h"

namespace kv::remote::win32 {

class Win32WindowMessages final : public IWindowMessages, public ISleep {
public:
    WindowHandle findWindow(const std::wstring& className) override;
    std::optional<std::intptr_t> send(WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                                      std::intptr_t lParam, int timeoutMs) override;
    void post(WindowHandle window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override;
    void sleep(int milliseconds) override;
    void beginPacing() override;
    void endPacing() override;

private:
    bool pacing_ = false;
    bool fineTimer_ = false;  // timeBeginPeriod(1) is in force
    long long deadline_ = 0;  // performance counter ticks
};

}  // namespace kv::remote::win32
