#pragma once
// Random numbers from a generator seeded with the high-resolution clock.
#include <random>

#include "app/Clock.h"

namespace kv {

class Win32Random final : public IRandom {
public:
    Win32Random();  // seeds once, so draw() works before the first seed()
    void seed() override;
    int draw(int n) override;  // 1 to n; n below 1 counts as 1

private:
    std::mt19937 generator_;
};

}  // namespace kv
