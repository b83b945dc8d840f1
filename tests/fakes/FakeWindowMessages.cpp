#include "FakeWindowMessages.h"

namespace kv::test {

void FakeWindowMessages::closeWindow(remote::WindowHandle window) {
    classes.erase(window);
    for (auto it = windows.begin(); it != windows.end();)
        it = it->second == window ? windows.erase(it) : std::next(it);
}

std::vector<std::intptr_t> FakeWindowMessages::winampSets(remote::WindowHandle window) const {
    std::vector<std::intptr_t> sets;
    for (const SentMessage& m : log)
        if (m.kind == SentMessage::Send && m.window == window && m.message == 0x400 && m.lParam == 122 &&
            m.wParam != -666)
            sets.push_back(m.wParam);
    return sets;
}

std::vector<int> FakeWindowMessages::sleeps() const {
    std::vector<int> pauses;
    for (const SentMessage& m : log)
        if (m.kind == SentMessage::Sleep) pauses.push_back(m.timeoutMs);
    return pauses;
}

remote::WindowHandle FakeWindowMessages::findWindow(const std::wstring& className) {
    lookups.push_back(className);
    auto it = windows.find(className);
    return it == windows.end() ? 0 : it->second;
}

bool FakeWindowMessages::isWindowOfClass(remote::WindowHandle window, const std::wstring& className) {
    auto it = classes.find(window);
    return it != classes.end() && it->second == className;
}

std::optional<std::intptr_t> FakeWindowMessages::send(remote::WindowHandle window, std::uint32_t message,
                                                      std::intptr_t wParam, std::intptr_t lParam, int timeoutMs) {
    log.push_back({SentMessage::Send, window, message, wParam, lParam, timeoutMs});
    if (!classes.count(window)) return std::nullopt;  // no such window: fails at once
    if (hung.count(window) || answersBeforeHang == 0) {
        clockMs += timeoutMs;
        return std::nullopt;
    }
    if (answersBeforeHang > 0) --answersBeforeHang;
    std::intptr_t reply = 0;
    if (volumes.count(window) && message == 0x400 && lParam == 122) {
        if (wParam == -666)
            reply = volumes[window];
        else
            volumes[window] = wParam;
    }
    const int took = answerMs ? answerMs() : 0;
    if (took > timeoutMs) {
        clockMs += timeoutMs;
        return std::nullopt;
    }
    clockMs += took;
    return reply;
}

void FakeWindowMessages::post(remote::WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                              std::intptr_t lParam) {
    log.push_back({SentMessage::Post, window, message, wParam, lParam, 0});
}

void FakeWindowMessages::sleep(int milliseconds) {
    pacingAtSleeps.push_back(pacing);
    log.push_back({SentMessage::Sleep, 0, 0, 0, 0, milliseconds});
    clockMs += milliseconds;
}

}  // namespace kv::test
