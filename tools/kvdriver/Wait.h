#pragma once
// Polling helpers: wait until a condition holds or a time limit has passed.
#include <windows.h>

#include <chrono>
#include <optional>

namespace kvdriver {

using Millis = std::chrono::milliseconds;

inline constexpr Millis kDefaultPoll{15};

// Runs pred until it returns true; false when the timeout passed first. The last test
// is made after the deadline, so a condition that became true just in time counts.
template <class Pred>
bool waitUntil(Pred pred, Millis timeout, Millis poll = kDefaultPoll) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (pred()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return pred();
        Sleep(static_cast<DWORD>(poll.count()));
    }
}

// Runs get until it yields a value; nullopt when the timeout passed first.
template <class Get>
auto waitFor(Get get, Millis timeout, Millis poll = kDefaultPoll) -> decltype(get()) {
    decltype(get()) result{};
    waitUntil([&] { result = get(); return result.has_value(); }, timeout, poll);
    return result;
}

}  // namespace kvdriver
