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
HWND ToolTips::window() {
    if (tooltip_) return tooltip_.get();
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!tooltip_) return nullptr;
    SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    for (const auto& [control, text] : hints_) addTool(control, text);
    return tooltip_.get();
}

void ToolTips::set(HWND control, const std::wstring& text, bool show) {
    if (!control) return;
    if (!show || text.empty()) {
        remove(control);
        return;
    }
    const bool known = has(control);
    hints_[control] = text;
    if (!tooltip_) return;
    if (!known) {
        addTool(control, hints_[control]);
        return;
    }
    TTTOOLINFOW info = toolFor(owner_, control, &hints_[control]);
    SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTips::remove(HWND control) {
    if (!has(control)) return;
    hints_.erase(control);
    if (!tooltip_) return;
    TTTOOLINFOW info = toolFor(owner_, control, nullptr);
    SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

bool ToolTips::addTool(HWND control, const std::wstring& text) {
    TTTOOLINFOW info = toolFor(owner_, control, &text);
    return SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

}  // namespace kv::ui::win32
