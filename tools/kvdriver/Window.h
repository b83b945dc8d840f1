#pragma once
// Reading and operating the windows of another process through window messages.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "kvdriver/Wait.h"

namespace kvdriver {

inline constexpr Millis kMessageTimeout{5000};

// Makes the driver per-monitor DPI aware (once), so that the rectangles of other processes'
// windows, screen captures and mouse positions are all in the same physical pixels,
// whatever scaling a monitor has.
void usePhysicalPixels();

std::wstring className(HWND hwnd);
DWORD windowProcessId(HWND hwnd);

// Top-level windows of process pid whose class is cls (all classes when cls is empty).
std::vector<HWND> topLevelWindows(DWORD pid, const std::wstring& cls);
// The first visible top-level window of pid with class cls, waiting up to timeout.
std::optional<HWND> waitTopLevelWindow(DWORD pid, const std::wstring& cls, Millis timeout);

// A descendant of parent with the given control id (nullptr when there is none).
HWND childById(HWND parent, int id);

// Text by WM_GETTEXT (marshalled across processes by the system).
std::wstring windowText(HWND hwnd);
// Sets the text by WM_SETTEXT; an edit control then notifies its parent (EN_CHANGE).
void setWindowText(HWND hwnd, const std::wstring& text);

// Posts BM_CLICK: the click runs in the target's message loop, so a message box that
// the click opens cannot block the driver.
void postClick(HWND button);
// BM_GETCHECK: true when the check box or radio button is checked.
bool isChecked(HWND button);

// Combo box entries (CB_GETCOUNT / CB_GETLBTEXT), selection index (-1 for none) and the
// selected entry's text (empty for none).
std::vector<std::wstring> comboItems(HWND combo);
int comboSelection(HWND combo);
std::wstring comboSelectedText(HWND combo);
// Selects an entry as the operator does: CB_SETCURSEL, then CBN_SELCHANGE to the parent.
void userSelectComboItem(HWND combo, int index);

// CB_GETDROPPEDSTATE: true while the box's list is open.
bool comboDropped(HWND combo);

// Track bar position (TBM_GETPOS) and a drag to a position (TBM_SETPOS + WM_HSCROLL).
int trackBarPosition(HWND trackBar);
void dragTrackBar(HWND trackBar, int position);

// The up-down control (msctls_updown32) whose buddy is edit, among edit's siblings.
HWND upDownOf(HWND edit);

// The window that has the keyboard focus in the thread of top (GetGUIThreadInfo).
HWND focusedWindow(HWND top);

// The text of a status bar part, read through a buffer in the owning process.
std::wstring statusBarText(HWND statusBar, int part);

// Posts WM_CLOSE, as the close box does.
void postClose(HWND hwnd);

}  // namespace kvdriver
