#pragma once
// Message boxes of another process: find them, read them, answer them.
#include <windows.h>

#include <optional>
#include <string>

#include "kvdriver/Wait.h"

namespace kvdriver {

// Button ids of a message box.
enum class BoxButton : int { Ok = IDOK, Yes = IDYES, No = IDNO };

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    HWND owner = nullptr;      // the window the box belongs to; nullptr for a top-level box
    std::wstring caption;
    std::wstring text;         // the static with id 65535
    bool hasOk = false, hasYes = false, hasNo = false;
};

// What a message box window shows.
MessageBoxInfo describeMessageBox(HWND box);

// The first visible message box (#32770) of process pid, owned or not.
std::optional<MessageBoxInfo> findMessageBox(DWORD pid);
std::optional<MessageBoxInfo> waitMessageBox(DWORD pid, Millis timeout);

// Presses a button of the box (BM_CLICK posted to it); false when it has no such button.
bool pressButton(const MessageBoxInfo& box, BoxButton button);

// Waits until the box window is gone.
bool waitBoxClosed(const MessageBoxInfo& box, Millis timeout);

}  // namespace kvdriver
