#pragma once
// Counts the modal loops (message boxes and dialogs) the program has entered, so that a
// control can tell whether a handler it called showed one.
#include <windows.h>

namespace kv::ui::win32 {

unsigned modalLoopCount() noexcept;
// Call right before a modal loop starts; it also ends a paint batch (see PaintBatch.h).
void noteModalLoop() noexcept;

// Shows the exception that is being handled in an error box owned by owner: the last
// resort for a failure that no handler caught. Call it only inside a catch block.
void reportCurrentException(HWND owner) noexcept;

}  // namespace kv::ui::win32
