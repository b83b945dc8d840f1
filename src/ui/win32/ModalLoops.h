#pragma once
// The modal loops (message boxes and dialogs) the program enters: counted, so that a control
// can tell whether a handler it called showed one, and tracked while they run, so that a
// close request of the main window that arrives meanwhile ends them instead of destroying
// the windows the waiting handler still works with.
#include <windows.h>

namespace kv::ui::win32 {

unsigned modalLoopCount() noexcept;

// One message box or dialog of ours, owned by owner, from right before its loop starts until
// it has returned. Starting one also ends a paint batch (see PaintBatch.h).
class ModalDialog {
public:
    // endCommand: the command that ends the dialog as the operator's "no": IDCANCEL, IDNO for
    // a Yes/No box, IDOK for a box with OK alone.
    ModalDialog(HWND owner, int endCommand) noexcept;
    ~ModalDialog();
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

private:
    bool tracked_ = false;
};

bool modalDialogRunning() noexcept;
// A close of window was asked for while a dialog of ours runs: every running dialog is ended
// with its end command, and once the last one has returned (its handler then sees
// closeRequested()), WM_CLOSE is posted to window again, to be taken after the handler.
// When no dialog to end can be found for 2 s, the wait is given up and WM_CLOSE is posted
// at once (modalDialogRunning() then reads false): a close is never lost.
void closeAfterModalDialogs(HWND window) noexcept;
// True from closeAfterModalDialogs until the window takes the close or is gone: no dialog is
// shown then, and what a dialog returns meanwhile counts as cancelled.
bool closeRequested() noexcept;
void closeTaken(HWND window) noexcept;

// Shows the exception that is being handled in an error box owned by owner: the last
// resort for a failure that no handler caught. Call it only inside a catch block.
void reportCurrentException(HWND owner) noexcept;

}  // namespace kv::ui::win32
