#include "kvdriver/Process.h"

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

#include "kvdriver/StartRetry.h"
#include "kvdriver/Text.h"

namespace kvdriver {

namespace {

constexpr DWORD kRetryDelayMs = 500;

// 0 once the process runs, else CreateProcessW's error.
DWORD createProcess(const std::wstring& exe, std::wstring commandLine, std::vector<wchar_t>& env,
                    PROCESS_INFORMATION& info) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                       env.data(), nullptr, &startup, &info))
        return 0;
    return GetLastError();
}

}  // namespace

DWORD startRetryingWineFailure(const std::function<DWORD()>& attempt, const std::function<void(DWORD)>& beforeRetry) {
    const DWORD error = attempt();
    if (error != kWineStartupFailed) return error;
    beforeRetry(error);
    return attempt();
}

Process Process::launch(const std::wstring& exe, const EnvironmentMap& overrides, const std::wstring& arguments) {
    std::vector<wchar_t> env = toEnvironmentBlock(composeEnvironment(currentEnvironment(), overrides));
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    PROCESS_INFORMATION info{};
    const DWORD error = startRetryingWineFailure(
        [&] { return createProcess(exe, commandLine, env, info); },
        [&](DWORD first) {
            std::fprintf(stderr,
                         "kvdriver: CreateProcessW failed for %s, error %lu (the new process ended while "
                         "starting up); starting it again in %lu ms\n",
                         toUtf8(exe).c_str(), static_cast<unsigned long>(first),
                         static_cast<unsigned long>(kRetryDelayMs));
            std::fflush(stderr);
            Sleep(kRetryDelayMs);
        });
    if (error != 0)
        throw std::runtime_error("CreateProcessW failed for " + toUtf8(exe) + ", error " + std::to_string(error));
    CloseHandle(info.hThread);
    Process p;
    p.process_.reset(info.hProcess);
    p.pid_ = info.dwProcessId;
    return p;
}

Process::~Process() {
    if (running()) terminate();
}

bool Process::running() const {
    return valid() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::waitExit(Millis timeout) const {
    if (!valid()) return std::nullopt;
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

void Process::terminate() {
    if (!valid()) return;
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 10000);
}

}  // namespace kvdriver
