#include "playback/jingletime.h"

#include <cstdlib>

namespace kv {

std::wstring formatJingleTime(std::int32_t ms) {
    const long long value = ms;
    const long long seconds = value / 1000;
    const long long rest = std::llabs(value % 1000);
    std::wstring digits = std::to_wstring(rest);
    digits.insert(0, 3 - digits.size(), L'0');
    std::wstring text = std::to_wstring(seconds);
    if (value < 0 && seconds == 0) text = L"-" + text;
    return text + L":" + digits;
}

std::int32_t remainingMs(std::int32_t length, std::int32_t position) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(length) - static_cast<std::uint32_t>(position));
}

}  // namespace kv
