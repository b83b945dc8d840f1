#include "kvdriver/StandIn.h"

#include <sstream>
#include <stdexcept>

#include "kvdriver/IniSnapshot.h"
#include "kvdriver/Text.h"
#include "kvdriver/Window.h"

namespace kvdriver {

long long clockMicros() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return counter.QuadPart / frequency.QuadPart * 1000000 +
           counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

StandIn::StandIn(const std::wstring& exe, const std::wstring& cls, const std::wstring& log,
                 const std::wstring& arguments, Millis timeout)
    : log_(log) {
    std::wstring commandLine = L"--log \"" + log + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    process_ = Process::launch(exe, {}, commandLine);
    waitUntil([&] {
        for (HWND hwnd : topLevelWindows(process_.pid(), cls)) hwnd_ = hwnd;
        return hwnd_ != nullptr || !process_.running();
    }, timeout);
    if (hwnd_ == nullptr) throw std::runtime_error("the stand-in " + toUtf8(exe) + " shows no window");
}

std::vector<LoggedMessage> StandIn::log() const {
    std::vector<LoggedMessage> lines;
    const auto bytes = readFileBytes(log_);
    if (!bytes) return lines;
    std::string all(bytes->begin(), bytes->end());
    all.erase(all.find_last_of('\n') == std::string::npos ? 0 : all.find_last_of('\n') + 1);  // a line being written
    std::istringstream text(all);
    std::string line;
    while (std::getline(text, line)) {
        std::istringstream fields(line);
        LoggedMessage m;
        if (!(fields >> m.micros >> m.kind >> m.message >> m.wParam)) continue;
        fields >> m.lParam;
        lines.push_back(m);
    }
    return lines;
}

std::vector<LoggedMessage> StandIn::userMessages() const {
    std::vector<LoggedMessage> result;
    for (const auto& m : log())
        if (m.message >= WM_USER && (m.kind == "sent" || m.kind == "posted")) result.push_back(m);
    return result;
}

}  // namespace kvdriver
