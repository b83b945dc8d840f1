#pragma once
// Other programs' windows as the fade controller sees them: windows by class, a Winamp that
// answers the volume query and takes the volume sets, receivers that stop answering, and
// one log of every send, post and sleep in the order they happened.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "remote/WindowMessages.h"

namespace kv::test {

struct SentMessage {
    enum Kind { Send, Post, Sleep } kind;
    remote::WindowHandle window = 0;
    std::uint32_t message = 0;
    std::intptr_t wParam = 0;
    std::intptr_t lParam = 0;
    int timeoutMs = 0;  // sends: the longest wait; sleeps: the pause
    friend bool operator==(const SentMessage&, const SentMessage&) = default;
};

class FakeWindowMessages final : public remote::IWindowMessages, public remote::ISleep {
public:
    static constexpr remote::WindowHandle kWinamp = 0x1010;
    static constexpr remote::WindowHandle kCompanion = 0x2020;

    std::map<std::wstring, remote::WindowHandle> windows;  // class name -> window
    std::intptr_t winampVolume = 0;                        // answered to Winamp's volume query
    std::set<remote::WindowHandle> hung;                   // no answer to any send
    int answersBeforeHang = -1;  // sends answered before every receiver stops answering; -1: all
    std::vector<SentMessage> log;
    std::vector<std::wstring> lookups;
    int pacing = 0;                   // begins not yet ended
    std::vector<int> pacingAtSleeps;  // the pacing level at each sleep

    void startWinamp(std::intptr_t volume) {
        windows[L"Winamp v1.x"] = kWinamp;
        winampVolume = volume;
    }
    void startCompanion() { windows[L"TTB_WMSAPI"] = kCompanion; }

    // The volumes sent to Winamp (sets only), in order.
    std::vector<std::intptr_t> winampSets() const;
    std::vector<int> sleeps() const;

    remote::WindowHandle findWindow(const std::wstring& className) override;
    std::optional<std::intptr_t> send(remote::WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                                      std::intptr_t lParam, int timeoutMs) override;
    void post(remote::WindowHandle window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override;
    void sleep(int milliseconds) override;
    void beginPacing() override { ++pacing; }
    void endPacing() override { --pacing; }
};

}  // namespace kv::test
