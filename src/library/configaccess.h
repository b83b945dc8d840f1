#pragma once
// Whether KV.ini can be read at start. Another program (a virus scanner, a sync tool) may
// hold the file for a moment, so an unreadable file is tried again for a short while.
#include <string>

#include "app/Clock.h"
#include "app/FileSystem.h"

namespace kv {

inline constexpr int kConfigReadAttempts = 6;
inline constexpr int kConfigReadPauseMs = 60;  // 300 ms of waiting in all

// True when something is at path that still cannot be read after the last attempt; a
// missing file and a readable one answer false at once.
bool staysUnreadable(const IFileSystem& files, const IClock& clock, const std::wstring& path);

}  // namespace kv
