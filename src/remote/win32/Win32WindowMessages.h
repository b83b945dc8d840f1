#pragma once
// The fade controller's window messages and pauses on Win32. Sends wait through
// SendMessageTimeoutW with SMTO_ABORTIFHUNG: a receiver that is hung already is not waited
// for, one that stops answering is given up on after the caller's time limit.
#include "remote/WindowMessages.h"

namespace kv::remote::win32 {

class Win32WindowMessages final : public IWindowMessages, public ISleep {
public:
    WindowHandle findWindow(const std::wstring& className) override;
    std::optional<std::intptr_t> send(WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                                      std::intptr_t lParam, int timeoutMs) override;
    void post(WindowHandle window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override;
    void sleep(int milliseconds) override;
};

}  // namespace kv::remote::win32
