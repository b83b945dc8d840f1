#include "ui/win32/HiddenForm.h"

namespace kv::ui::win32 {

namespace {
constexpr int kLabelId = 100;
}

HiddenForm::HiddenForm(const wchar_t* className, const std::wstring& caption, const std::wstring& labelText,
                       HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    registerClass(wc);
    create(0, className, caption.c_str(), WS_OVERLAPPED | WS_CAPTION, {0, 0, 240, 80}, HWND_MESSAGE, instance);
    if (!hwnd()) return;
    label_ = CreateWindowExW(0, L"STATIC", labelText.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 8, 8,
                             220, 16, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)), instance,
                             nullptr);
}

HiddenForm::~HiddenForm() {
    detach();
    timers_.clear();
}

void HiddenForm::attachTimers(const std::vector<Timer*>& timers) {
    if (!hwnd()) return;
    for (Timer* timer : timers) timers_.push_back(std::make_unique<TimerBinding>(*timer, hwnd()));
}

void HiddenForm::onTimer(UINT_PTR id) {
    for (const auto& binding : timers_) {
        if (static_cast<UINT_PTR>(binding->timer().id()) == id) {
            binding->timer().tick();
            return;
        }
    }
}

LRESULT HiddenForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: onTimer(wParam); return 0;
        // Never shown and never closed by the operator: the main window ends the program.
        case WM_CLOSE: return 0;
        default: return defaultHandling(message, wParam, lParam);
    }
}

}  // namespace kv::ui::win32
