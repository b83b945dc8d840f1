#pragma once
// The local clock and the user's regional time separator.
#include "app/Clock.h"

namespace kv {

class Win32Clock final : public IClock {
public:
    LocalTime now() const override;
    std::wstring timeSeparator() const override;  // ":" when the setting cannot be read
    void sleep(int milliseconds) const override;
};

}  // namespace kv
