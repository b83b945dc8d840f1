#pragma once
// The program's message loop: the F1..F12 accelerators of the main window first, then
// keyboard navigation between its controls, then the ordinary dispatch.
#include <windows.h>

namespace kv::ui::win32 {

// Handles one retrieved message.
void processMessage(HWND mainWindow, HACCEL accelerators, MSG& message);
// Runs until WM_QUIT; returns its exit code.
int runMessageLoop(HWND mainWindow, HACCEL accelerators);
// Handles every message waiting now, without blocking; false once WM_QUIT was taken.
bool processPendingMessages(HWND mainWindow, HACCEL accelerators);

}  // namespace kv::ui::win32
