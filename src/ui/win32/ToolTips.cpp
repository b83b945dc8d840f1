#include "ui/win32/ToolTips.h"

#include <windows.h>
#include <commctrl.h>

namespace kv::ui::win32 {

namespace {

constexpr int kMaxTipWidth = 480;  // long file paths wrap instead of running off screen

TTTOOLINFOW toolFor(HWND owner, HWND control, const std::wstring* text) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text ? const_cast<wchar_t*>(text->c_str()) : nullptr;
    return info;
}

}  // namespace

// The tooltip window has no owner: under Wine a window that owns a tooltip can never become
// topmost, and the tooltip is topmost by itself anyway.
ToolTips::ToolTips(HWND owner)
    : owner_(owner),
      tooltip_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr)) {
    if (tooltip_) SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
}

void ToolTips::set(HWND control, const std::wstring& text, bool show) {
    if (!tooltip_ || !control) return;
    if (!show || text.empty()) {
        remove(control);
        return;
    }
    TTTOOLINFOW info = toolFor(owner_, control, &text);
    if (has(control)) {
        SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    } else if (SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
        tools_.insert(control);
    }
}

void ToolTips::remove(HWND control) {
    if (!has(control)) return;
    TTTOOLINFOW info = toolFor(owner_, control, nullptr);
    if (tooltip_) SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    tools_.erase(control);
}

}  // namespace kv::ui::win32
