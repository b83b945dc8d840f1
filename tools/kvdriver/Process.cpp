#include "kvdriver/Process.h"

#include <stdexcept>
#include <vector>

#include "kvdriver/Text.h"

namespace kvdriver {

Process Process::launch(const std::wstring& exe, const EnvironmentMap& overrides, const std::wstring& arguments) {
    std::vector<wchar_t> env = toEnvironmentBlock(composeEnvironment(currentEnvironment(), overrides));
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, env.data(), nullptr, &startup, &info)) {
        throw std::runtime_error("CreateProcessW failed for " + toUtf8(exe) + ", error " +
                                 std::to_string(GetLastError()));
    }
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
