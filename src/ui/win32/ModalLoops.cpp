#include "ui/win32/ModalLoops.h"

#include <exception>
#include <string>
#include <vector>

#include "ui/win32/PaintBatch.h"

namespace kv::ui::win32 {

namespace {
// User-interface thread only.
unsigned modalLoops = 0;
struct RunningDialog {
    HWND owner;
    int endCommand;
};
std::vector<RunningDialog> running;  // the innermost last
HWND closingWindow = nullptr;
UINT_PTR retryTimer = 0;
constexpr UINT kRetryMs = 50;
// A close is never lost: when no dialog of the waiting handler can be found for this many
// retries in a row (one that hides without returning, or one of another module that keeps
// its loop running), the close stops waiting for it and is taken.
constexpr int kMissesBeforeGivingUp = 40;  // 2 s
int missedRetries = 0;
bool waitGivenUp = false;

bool isDialogClass(HWND window) {
    wchar_t name[16] = {};
    return GetClassNameW(window, name, 16) > 0 && std::wstring(name) == L"#32770";
}

struct DialogSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM context) noexcept {
    auto& search = *reinterpret_cast<DialogSearch*>(context);
    if (GetWindow(window, GW_OWNER) != search.owner || !IsWindowVisible(window) || !isDialogClass(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

// The topmost visible dialog window of this thread that owner owns (the thread's top-level
// windows come in z-order, the newest dialog on top).
HWND topDialogOf(HWND owner) {
    DialogSearch search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Ends the innermost running dialog as the operator would: its end command (the No or Cancel
// button), and the close box for a dialog that takes no command from outside.
// False when no such dialog is up.
bool endInnermostDialog() noexcept {
    if (running.empty()) return true;
    const RunningDialog& innermost = running.back();
    const HWND dialog = topDialogOf(innermost.owner);
    if (!dialog) return false;  // not up yet: the retry timer comes back
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(innermost.endCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, innermost.endCommand)));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    return true;
}

// Every dialog loop dispatches this thread timer: it ends what a first attempt missed (a
// dialog not yet created, the next one out in nested dialogs).
void stopRetrying() noexcept {
    if (retryTimer) KillTimer(nullptr, retryTimer);
    retryTimer = 0;
}

void CALLBACK retryEnding(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (endInnermostDialog()) {
        missedRetries = 0;
        return;
    }
    if (++missedRetries < kMissesBeforeGivingUp || !closingWindow) return;
    waitGivenUp = true;
    stopRetrying();
    PostMessageW(closingWindow, WM_CLOSE, 0, 0);
}

std::wstring fromUtf8(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}
}  // namespace

unsigned modalLoopCount() noexcept { return modalLoops; }

ModalDialog::ModalDialog(HWND owner, int endCommand) noexcept {
    ++modalLoops;
    finishActivePaintBatch();  // the window behind the dialog must paint
    try {
        running.push_back({owner, endCommand});
        tracked_ = true;
    } catch (...) {
        // Untracked: a close request then finds no dialog to end and is taken at once.
    }
}

ModalDialog::~ModalDialog() {
    if (tracked_) running.pop_back();
    if (!closingWindow) return;
    if (!running.empty()) {
        endInnermostDialog();  // the next one out
        return;
    }
    stopRetrying();
    PostMessageW(closingWindow, WM_CLOSE, 0, 0);
}

bool modalDialogRunning() noexcept { return !running.empty() && !waitGivenUp; }

void closeAfterModalDialogs(HWND window) noexcept {
    closingWindow = window;
    missedRetries = 0;
    endInnermostDialog();
    if (!retryTimer) retryTimer = SetTimer(nullptr, 0, kRetryMs, retryEnding);
}

bool closeRequested() noexcept { return closingWindow != nullptr; }

void closeTaken(HWND window) noexcept {
    if (window != closingWindow) return;
    closingWindow = nullptr;
    waitGivenUp = false;
    missedRetries = 0;
    stopRetrying();
}

void reportCurrentException(HWND owner) noexcept {
    try {
        throw;
    } catch (const std::exception& error) {
        if (closeRequested()) return;  // the window closes: no box is shown any more
        try {
            const std::wstring text = fromUtf8(error.what());
            const ModalDialog box(owner, IDOK);
            // The product name, as the platform's own error box shows the application title.
            MessageBoxW(owner, text.c_str(), L"Kavinta", MB_OK | MB_ICONERROR);
        } catch (...) {
        }
    } catch (...) {
        // Nothing that could be shown: swallowed so that the message loop goes on.
    }
}

}  // namespace kv::ui::win32
