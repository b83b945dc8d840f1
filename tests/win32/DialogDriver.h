#pragma once
// Drives the modal dialogs of the test's own windows from a second thread, the way the
// end-to-end driver does it with another process.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace kv::test {

// The first visible dialog window (#32770) owned by owner that has a control with id
// requiredItem (any dialog with 0); nullptr when there is none.
inline HWND findOwnedDialog(HWND owner, int requiredItem = 0) {
    struct Search {
        HWND owner;
        int item;
        HWND found;
    } search{owner, requiredItem, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (std::wstring(name) != L"#32770" || GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window))
                return TRUE;
            if (s->item != 0 && !GetDlgItem(window, s->item)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits up to ten seconds for such a dialog.
inline HWND waitOwnedDialog(HWND owner, int requiredItem = 0) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        if (HWND found = findOwnedDialog(owner, requiredItem)) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

// Waits on another thread for a dialog owned by owner and hands it to act.
class DialogDriver {
public:
    DialogDriver(HWND owner, std::function<void(HWND)> act, int requiredItem = 0)
        : thread_([this, owner, act, requiredItem] {
              if (HWND dialog = waitOwnedDialog(owner, requiredItem)) {
                  act(dialog);
                  found_ = true;
              }
          }) {}
    ~DialogDriver() {
        if (thread_.joinable()) thread_.join();
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    bool found() {
        if (thread_.joinable()) thread_.join();
        return found_;
    }

private:
    std::atomic<bool> found_{false};
    std::thread thread_;
};

}  // namespace kv::test
