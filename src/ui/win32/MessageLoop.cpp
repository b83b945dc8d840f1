#include "ui/win32/MessageLoop.h"

namespace kv::ui::win32 {

bool isRepeatedFunctionKey(const MSG& message) {
    constexpr LPARAM kPreviousKeyState = LPARAM{1} << 30;
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    return message.wParam >= VK_F1 && message.wParam <= VK_F12 && (message.lParam & kPreviousKeyState) != 0;
}

void processMessage(HWND mainWindow, HACCEL accelerators, MSG& message) {
    // The accelerators fire on every repeat; a control would act on it as well.
    if (isRepeatedFunctionKey(message)) return;
    const bool mainAlive = mainWindow && IsWindow(mainWindow);
    if (mainAlive && accelerators && TranslateAcceleratorW(mainWindow, accelerators, &message)) return;
    if (mainAlive && IsDialogMessageW(mainWindow, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int runMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) processMessage(mainWindow, accelerators, message);
    return static_cast<int>(message.wParam);
}

bool processPendingMessages(HWND mainWindow, HACCEL accelerators) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return false;
        processMessage(mainWindow, accelerators, message);
    }
    return true;
}

}  // namespace kv::ui::win32
