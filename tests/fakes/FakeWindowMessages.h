#pragma once
// Other programs' windows as the fade controller sees them: windows by class, Winamp
// windows that answer the volume query and take the volume sets, receivers that answer
// slowly or stop answering, a clock that moves with the pauses and the waits, and one log
// of every send, post and sleep in the order they happened.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "remote/WindowMessages.h"
#include "remote/duck.h"

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
    static constexpr remote::WindowHandle kSecondWinamp = 0x1020;
    static constexpr remote::WindowHandle kCompanion = 0x2020;
    static constexpr const wchar_t* kWinampClass = L"Winamp v1.x";

    std::map<std::wstring, remote::WindowHandle> windows;  // class name -> the window FindWindow gives
    std::map<remote::WindowHandle, std::wstring> classes;  // every window there is -> its class
    std::map<remote::WindowHandle, std::intptr_t> volumes;  // each Winamp window's volume
    std::set<remote::WindowHandle> hung;                    // no answer to any send
    int answersBeforeHang = -1;  // sends answered before every receiver stops answering; -1: all
    // How long the receiver takes over each send; one that takes longer than the send's
    // limit is not waited for, but the message still takes effect, as on Windows.
    std::function<int()> answerMs;
    long long clockMs = 0;
    std::vector<SentMessage> log;
    std::vector<std::wstring> lookups;
    int pacing = 0;                   // begins not yet ended
    std::vector<int> pacingAtSleeps;  // the pacing level at each sleep

    void startWinamp(std::intptr_t volume, remote::WindowHandle window = kWinamp) {
        windows[kWinampClass] = window;
        classes[window] = kWinampClass;
        volumes[window] = volume;
    }
    void startCompanion() {
        windows[L"TTB_WMSAPI"] = kCompanion;
        classes[kCompanion] = L"TTB_WMSAPI";
    }
    void closeWindow(remote::WindowHandle window);
    std::intptr_t winampVolume(remote::WindowHandle window = kWinamp) const { return volumes.at(window); }

    // The volumes sent to a Winamp window (sets only), in order.
    std::vector<std::intptr_t> winampSets(remote::WindowHandle window = kWinamp) const;
    std::vector<int> sleeps() const;

    remote::WindowHandle findWindow(const std::wstring& className) override;
    bool isWindowOfClass(remote::WindowHandle window, const std::wstring& className) override;
    std::optional<std::intptr_t> send(remote::WindowHandle window, std::uint32_t message, std::intptr_t wParam,
                                      std::intptr_t lParam, int timeoutMs) override;
    void post(remote::WindowHandle window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override;
    void sleep(int milliseconds) override;
    long long nowMs() const override { return clockMs; }
    void beginPacing() override { ++pacing; }
    void endPacing() override { --pacing; }
};

// The ducks as KV.ini would keep them between runs.
class FakeDuckStore final : public remote::IDuckStore {
public:
    std::vector<remote::Duck> kept;
    int saves = 0;
    std::vector<remote::Duck> load() override { return kept; }
    void save(const std::vector<remote::Duck>& ducks) override {
        kept = ducks;
        ++saves;
    }
};

}  // namespace kv::test
