#pragma once
// The program's message loop: the F1..F12 accelerators of the main window first, then
// keyboard navigation between its controls, then the ordinary dispatch.
#include <windows.h>

namespace kv::ui::win32 {

// True for a key-down of F1..F12 that the keyboard repeats while the key is held (bit 30 of
// lParam: the key was already down). Only the first key-down of a press fires a slot.
bool isRepeatedFunctionKey(const MSG& message);
// Handles one retrieved message; a repeated function key is dropped.
void processMessage(HWND mainWindow, HACCEL accelerators, MSG& message);
// Runs until WM_QUIT; returns its exit code.
int runMessageLoop(HWND mainWindow, HACCEL accelerators);
// Handles every message waiting now, without blocking; false once WM_QUIT was taken.
bool processPendingMessages(HWND mainWindow, HACCEL accelerators);

}  // namespace kv::ui::win32
