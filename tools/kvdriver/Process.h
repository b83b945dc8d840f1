#pragma once
// A program started by the driver: launch with its own environment, wait for its exit.
#include <windows.h>

#include <optional>
#include <string>

#include "kvdriver/Environment.h"
#include "kvdriver/UniqueHandle.h"
#include "kvdriver/Wait.h"

namespace kvdriver {

class Process {
public:
    Process() = default;
    // Starts exe (a Windows path) with the inherited variables and the given overrides.
    // arguments follow the quoted program path on the command line.
    // Throws std::runtime_error when CreateProcessW fails.
    static Process launch(const std::wstring& exe, const EnvironmentMap& overrides,
                          const std::wstring& arguments = L"");

    Process(Process&&) noexcept = default;
    Process& operator=(Process&&) noexcept = default;
    // A process that still runs is ended when its owner goes: a failed test must not
    // leave a copy behind that blocks the next start.
    ~Process();

    DWORD pid() const { return pid_; }
    HANDLE handle() const { return process_.get(); }
    bool valid() const { return static_cast<bool>(process_); }
    bool running() const;

    // The exit code once the process has ended within the timeout, else nullopt.
    std::optional<DWORD> waitExit(Millis timeout) const;
    // Ends the process hard (only for a process this object started) and waits for it.
    void terminate();

private:
    UniqueHandle process_;
    DWORD pid_ = 0;
};

}  // namespace kvdriver
