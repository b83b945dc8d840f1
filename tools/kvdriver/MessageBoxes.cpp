#include "kvdriver/MessageBoxes.h"

#include "kvdriver/Window.h"

namespace kvdriver {
namespace {

constexpr int kMessageTextId = 0xFFFF;

}  // namespace

MessageBoxInfo describeMessageBox(HWND box) {
    MessageBoxInfo info;
    info.hwnd = box;
    info.owner = GetWindow(box, GW_OWNER);
    info.caption = windowText(box);
    if (HWND text = GetDlgItem(box, kMessageTextId)) info.text = windowText(text);
    info.hasOk = GetDlgItem(box, IDOK) != nullptr;
    info.hasYes = GetDlgItem(box, IDYES) != nullptr;
    info.hasNo = GetDlgItem(box, IDNO) != nullptr;
    return info;
}

std::optional<MessageBoxInfo> findMessageBox(DWORD pid) {
    for (HWND hwnd : topLevelWindows(pid, L"#32770"))
        if (IsWindowVisible(hwnd)) return describeMessageBox(hwnd);
    return std::nullopt;
}

std::optional<MessageBoxInfo> waitMessageBox(DWORD pid, Millis timeout) {
    return waitFor([&] { return findMessageBox(pid); }, timeout);
}

bool pressButton(const MessageBoxInfo& box, BoxButton button) {
    HWND control = GetDlgItem(box.hwnd, static_cast<int>(button));
    if (control == nullptr) return false;
    postClick(control);
    return true;
}

bool waitBoxClosed(const MessageBoxInfo& box, Millis timeout) {
    return waitUntil([&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); }, timeout);
}

}  // namespace kvdriver
