#pragma once
// The running copy of this program as a new process reaches it: its main window, found by
// window class among the windows of processes of the same user and the same program file
// name (the name the start-once mutex is made of), and a WM_COPYDATA sent to it.
// "The same user" is the user SID of the process token, not the session: the windows of
// other sessions are not visible here anyway, while on one desktop a copy started as
// another user (Run as) shows its windows beside ours and must not be driven by us.
#include <windows.h>

#include <string>

#include "app/commandhandover.h"

namespace kv {

class Win32RunningCopy final : public IRunningCopy {
public:
    // windowClass: the class of the main window; answerTimeoutMs: how long a window may
    // take to answer. A copy answers within milliseconds, except inside a fade-out before a
    // jingle, which holds its thread (up to 10 s for the companion player): the wait covers
    // that, since a send that gives up may still be served later and would then run twice
    // if the caller tried again. A window that has not answered anything for 5 s counts as
    // hung and is not sent to.
    explicit Win32RunningCopy(std::wstring windowClass, UINT answerTimeoutMs = 11000);

    Answer send(const RemoteCommand& command) override;
    void pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }

    // The main window of the running copy, or nullptr.
    HWND findWindow() const;

private:
    std::wstring windowClass_;
    UINT answerTimeoutMs_;
};

}  // namespace kv
