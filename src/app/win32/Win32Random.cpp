#include "app/win32/Win32Random.h"

#include <windows.h>

namespace kv {

Win32Random::Win32Random() { seed(); }

void Win32Random::seed() {
    // The performance counter ticks far faster than the millisecond clock, so two seeds
    // taken in quick succession still differ.
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    const auto value = static_cast<unsigned long long>(counter.QuadPart);
    std::seed_seq sequence{static_cast<unsigned>(value), static_cast<unsigned>(value >> 32),
                           static_cast<unsigned>(GetTickCount64())};
    generator_.seed(sequence);
}

int Win32Random::draw(int n) {
    if (n <= 1) return 1;
    std::uniform_int_distribution<int> distribution(1, n);
    return distribution(generator_);
}

}  // namespace kv
