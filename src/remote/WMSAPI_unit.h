#pragma once
// The message interface of the companion application: its window class and the messages
// it understands for fades.
#include <cstdint>

#include "remote/WindowMessages.h"

namespace kv::remote {

inline constexpr const wchar_t* kWMSAPIWindowClass = L"TTB_WMSAPI";

inline constexpr std::uint32_t kWmUser = 0x400;
inline constexpr std::uint32_t kWMSAPIFadeWait = kWmUser + 2;    // 0x402: waits for the fade
inline constexpr std::uint32_t kWMSAPIFadeNoWait = kWmUser + 3;  // 0x403: returns at once

inline constexpr std::intptr_t kWMSAPIFadeOut = 112;      // lParam: target percent
inline constexpr std::intptr_t kWMSAPIFadeIn = 111;       // with 0x402 and lParam 1: cross-fade
inline constexpr std::intptr_t kWMSAPIAfterCross = 110;   // posted after the cross-fade

// The companion's window, looked up now; 0 when it does not run.
WindowHandle FindWMSAPIWindow(IWindowMessages& messages);

}  // namespace kv::remote
