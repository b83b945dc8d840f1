#pragma once
// Captures a window of any process as it shows on the screen.
#include <windows.h>

#include <optional>
#include <string>

#include "kvdriver/Png.h"

namespace kvdriver {

// Copies the window's screen rectangle (frame included) from the screen DC. The window
// is brought to the top first so that no other window covers it.
std::optional<RgbImage> captureWindow(HWND hwnd);

// captureWindow + writePng; false when either fails.
bool saveWindowPng(HWND hwnd, const std::wstring& path);

}  // namespace kvdriver
