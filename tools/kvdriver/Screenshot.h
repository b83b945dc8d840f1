#pragma once
// Captures a window of any process as it shows on the screen and saves it as PNG.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/win32/GdiObjects.h"

namespace kvdriver {

using kv::ui::win32::UniqueBitmap;

// Copies the window's screen rectangle (frame included) from the screen DC into a bitmap.
// The window is brought to the top first so that no other window covers it.
std::optional<UniqueBitmap> captureWindow(HWND hwnd);

// captureWindow, then the bitmap written as a PNG file (writePng); false when either fails.
bool saveWindowPng(HWND hwnd, const std::wstring& path);

}  // namespace kvdriver
