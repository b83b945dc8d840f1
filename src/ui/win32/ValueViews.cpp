// Combo boxes, spin edits and the track bar.
#include <windows.h>
#include <commctrl.h>

#include <cerrno>
#include <climits>
#include <cwchar>
#include <optional>
#include <string>

#include "ui/win32/ControlViews.h"
#include "ui/win32/DropDownList.h"

namespace kv::ui::win32 {

namespace {

// The number the whole text stands for, if it is one that fits an int.
std::optional<int> parseInteger(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    wchar_t* end = nullptr;
    errno = 0;
    const long long value = std::wcstoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != L'\0') return std::nullopt;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace

// --- Combo box

ComboBoxView::ComboBoxView(ComboBox& model, const ViewContext& context) : Win32View(model, context), combo_(model) {
    registerDropDownList(context.instance);
    createWindow(kDropDownListClass, WS_TABSTOP);
    if (!combo_.items().empty() || combo_.itemIndex() >= 0) syncItems();
}

// The model changes its list one entry at a time (a list of 39 styles is 39 additions), so
// only the run of entries between the common head and the common tail is replaced.
void ComboBoxView::syncItems() {
    const std::vector<std::wstring>& items = combo_.items();
    size_t head = 0;
    while (head < shown_.size() && head < items.size() && shown_[head] == items[head]) ++head;
    size_t tail = 0;
    while (tail < shown_.size() - head && tail < items.size() - head &&
           shown_[shown_.size() - 1 - tail] == items[items.size() - 1 - tail])
        ++tail;
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    if (head == 0 && tail == 0) {
        SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    } else {
        for (size_t n = shown_.size() - head - tail; n > 0; --n)
            SendMessageW(hwnd(), CB_DELETESTRING, head, 0);
    }
    for (size_t i = head; i < items.size() - tail; ++i)
        SendMessageW(hwnd(), CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(items[i].c_str()));
    shown_ = items;
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    showSelection();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ComboBoxView::showSelection() {
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(combo_.itemIndex()), 0);
}

void ComboBoxView::apply(Aspect aspect) {
    if (aspect == Aspect::Items) syncItems();
    else if (aspect == Aspect::Selection) showSelection();
    else Win32View::apply(aspect);
}

void ComboBoxView::onCommand(int notifyCode, HWND) {
    if (notifyCode == CBN_SELCHANGE) {
        combo_.userSelect(static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)));
    } else if (notifyCode == CBN_DROPDOWN) {
        combo_.userDropDown();
    }
}

// --- Spin edit

SpinEditView::SpinEditView(SpinEdit& model, const ViewContext& context) : Win32View(model, context), spin_(model) {
    createWindow(L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    upDown_.reset(CreateWindowExW(0, UPDOWN_CLASSW, nullptr,
                                  WS_CHILD | (model.visible() ? WS_VISIBLE : 0) |
                                      (model.enabled() ? 0 : WS_DISABLED) | UDS_SETBUDDYINT |
                                      UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS,
                                  0, 0, 0, 0, context.parent, nullptr, context.instance, nullptr));
    attachUpDown();
    if (upDown_) SendMessageW(upDown_.get(), UDM_SETPOS32, 0, static_cast<LPARAM>(spin_.value()));
}

std::wstring SpinEditView::initialText() const { return std::to_wstring(spin_.value()); }

void SpinEditView::attachUpDown() {
    if (!upDown_) return;
    SendMessageW(upDown_.get(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd()), 0);
    const int low = spin_.bounded() ? spin_.minValue() : INT_MIN;
    const int high = spin_.bounded() ? spin_.maxValue() : INT_MAX;
    SendMessageW(upDown_.get(), UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void SpinEditView::showValue() {
    writingText_ = true;
    if (upDown_) SendMessageW(upDown_.get(), UDM_SETPOS32, 0, static_cast<LPARAM>(spin_.value()));
    SetWindowTextW(hwnd(), std::to_wstring(spin_.value()).c_str());
    writingText_ = false;
}

void SpinEditView::apply(Aspect aspect) {
    switch (aspect) {
        case Aspect::Value:
            // While the operator types, the text stays as typed; the focus leaving shows the
            // value that was taken.
            if (!typing_) showValue();
            break;
        case Aspect::Enabled:
            Win32View::apply(aspect);
            if (upDown_) EnableWindow(upDown_.get(), spin_.enabled() ? TRUE : FALSE);
            break;
        case Aspect::Visible:
            Win32View::apply(aspect);
            if (upDown_) ShowWindow(upDown_.get(), spin_.visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case Aspect::Bounds:
            Win32View::apply(aspect);
            attachUpDown();  // the up-down takes its place and size from the buddy again
            break;
        default: Win32View::apply(aspect); break;
    }
}

void SpinEditView::rescale() {
    Win32View::rescale();
    attachUpDown();
}

void SpinEditView::onCommand(int notifyCode, HWND from) {
    if (from != hwnd()) return;
    if (notifyCode == EN_CHANGE && !writingText_) {
        const std::optional<int> typed = parseInteger(windowText(hwnd()));
        if (!typed) return;
        typing_ = true;
        spin_.setValue(*typed);
        typing_ = false;
    } else if (notifyCode == EN_KILLFOCUS) {
        if (windowText(hwnd()) != std::to_wstring(spin_.value())) showValue();
    }
}

// --- Track bar

TrackBarView::TrackBarView(TrackBar& model, const ViewContext& context) : Win32View(model, context), track_(model) {
    createWindow(TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | WS_TABSTOP);
    SendMessageW(hwnd(), TBM_SETRANGEMIN, FALSE, model.minValue());
    SendMessageW(hwnd(), TBM_SETRANGEMAX, FALSE, model.maxValue());
    SendMessageW(hwnd(), TBM_SETTICFREQ, 10, 0);
    SendMessageW(hwnd(), TBM_SETPAGESIZE, 0, 10);
    SendMessageW(hwnd(), TBM_SETPOS, FALSE, track_.position());
}

void TrackBarView::apply(Aspect aspect) {
    if (aspect == Aspect::Position) {
        SendMessageW(hwnd(), TBM_SETPOS, TRUE, track_.position());
        return;
    }
    Win32View::apply(aspect);
}

void TrackBarView::onScroll(int) {
    track_.setPosition(static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0)));
}

}  // namespace kv::ui::win32
