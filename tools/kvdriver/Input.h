#pragma once
// Real input, as the operator gives it: mouse and keyboard events through SendInput. A
// click lands on whatever window is at that screen position and a key goes to the window
// that has the focus in the foreground window, exactly as on a real desk; so the target's
// top-level window is brought to the front first, and positions are computed from the
// target control's screen rectangle.
#include <windows.h>

#include <string>

#include "kvdriver/Wait.h"

namespace kvdriver {

enum class MouseButton { Left, Right };

// Makes top the foreground window (SetForegroundWindow, else a click on its caption) and
// waits until it is; false when it does not become the foreground window.
bool bringToFront(HWND top, Millis timeout = Millis{3000});

// Screen position inside a window's rectangle: fx, fy are fractions of its width and
// height (0.5, 0.5 is the centre).
POINT pointIn(HWND window, double fx = 0.5, double fy = 0.5);

// Moves the mouse pointer there (an absolute move event); false when it did not arrive.
bool moveMouse(POINT screen);
// Moves there, then the button goes down and up. A click never pairs with the one before
// into a double click: it waits for the double-click time when it would.
bool click(POINT screen, MouseButton button = MouseButton::Left);
// A click at the centre of a window.
bool clickWindow(HWND window, MouseButton button = MouseButton::Left);
// Moves there, then the wheel turns by notches (positive: away from the operator).
bool turnWheel(POINT screen, int notches);

// A key pressed and released (virtual-key code), with Shift/Ctrl held when asked.
enum Modifiers : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2 };
bool pressKey(WORD virtualKey, unsigned modifiers = kNoModifier);
// Types text key by key (the keys of the current layout; other characters as Unicode).
bool typeText(const std::wstring& text);

}  // namespace kvdriver
