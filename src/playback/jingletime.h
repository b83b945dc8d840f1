#pragma once
#include <cstdint>
#include <string>

namespace kv {

// Milliseconds as whole seconds, a colon and three digits of milliseconds: 61234 -> "61:234".
std::wstring formatJingleTime(std::int32_t ms);

// length - position with 32-bit signed wrap-around, as the device reports them.
std::int32_t remainingMs(std::int32_t length, std::int32_t position);

}  // namespace kv
