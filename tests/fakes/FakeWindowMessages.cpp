#include "FakeWindowMessages.h"

namespace kv::test {

std::vector<std::intptr_t> FakeWindowMessages::winampSets() const {
    std::vector<std::intptr_t> sets;
    for (const SentMessage& m : log)
        if (m.kind == SentMessage::Send && m.window == kWinamp && m.message == 0x400 && m.lParam == 122 &&
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

std::optional<std::intptr_t> FakeWindowMessages::send(remote::WindowHandle window, std::uint32_t message,
                                                      std::intptr_t wParam, std::intptr_t lParam, int timeoutMs) {
    log.push_back({SentMessage::Send, window, message, wParam, lParam, timeoutMs});
    if (hung.count(window)) return std::nullopt;
    if (answersBeforeHang == 0) return std::nullopt;
    if (answersBeforeHang > 0) --answersBeforeHang;
    if (window == kWinamp && message == 0x400 && lParam == 122) {
        if (wParam == -666) return winampVolume;
        winampVolume = wParam;
    }
    return 0;
}

void FakeWindowMessages::post(remote::WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                              std::intptr_t lParam) {
    log.push_back({SentMessage::Post, window, message, wParam, lParam, 0});
}

void FakeWindowMessages::sleep(int milliseconds) {
    pacingAtSleeps.push_back(pacing);
    log.push_back({SentMessage::Sleep, 0, 0, 0, 0, milliseconds});
}

}  // namespace kv::test
