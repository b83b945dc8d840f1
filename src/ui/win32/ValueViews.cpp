// Spin edits and the track bar.
#include <windows.h>
#include <commctrl.h>

#include <cerrno>
#include <climits>
#include <cwchar>
#include <optional>
#include <string>

#include "ui/win32/ControlViews.h"
#include "ui/win32/StyleLook.h"
#include "ui/win32/StyledDrawing.h"
#include "ui/win32/StyledFrames.h"
#include "ui/win32/StyledSpinTrack.h"

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

}  // namespace

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
    arrowsPaint_.install(upDown_.get(), [this](HWND arrows, HDC dc) {
        const StyleLook* look = styledLook();
        return look && paintStyledUpDown(arrows, dc, *look, scale().dpi());
    });
    framePaint_.install(hwnd(), {}, [this](HWND edit, HDC dc) {
        const StyleLook* look = styledLook();
        return look && paintStyledEditFrame(edit, dc, *look);
    });
}

HBRUSH SpinEditView::onCtlColor(HDC dc) {
    const StyleLook* look = styledLook();
    if (!look) return nullptr;
    const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
    SetTextColor(dc, look->colour(enabled ? StyleRole::EditText : StyleRole::ButtonDisabledText));
    SetBkColor(dc, look->colour(enabled ? StyleRole::EditFace : StyleRole::ButtonDisabledFace));
    return look->brush(enabled ? StyleRole::EditFace : StyleRole::ButtonDisabledFace);
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
    // A style's border tells the focus.
    if ((notifyCode == EN_SETFOCUS || notifyCode == EN_KILLFOCUS) && styledLook())
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    if (notifyCode == EN_CHANGE && !writingText_) {
        const std::optional<int> typed = parseInteger(textOfWindow(hwnd()));
        if (!typed) return;
        typing_ = true;
        spin_.setValue(*typed);
        typing_ = false;
    } else if (notifyCode == EN_KILLFOCUS) {
        if (textOfWindow(hwnd()) != std::to_wstring(spin_.value())) showValue();
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

bool TrackBarView::onNotify(const NMHDR& header, LRESULT& result) {
    const StyleLook* look = styledLook();
    if (header.code != NM_CUSTOMDRAW || !look) return false;
    result = drawStyledTrackBar(reinterpret_cast<const NMCUSTOMDRAW&>(header), *look, scale().dpi());
    return true;
}

// The bar's background: the style's window colour, else the system's choice.
HBRUSH TrackBarView::onCtlColor(HDC dc) {
    const StyleLook* look = styledLook();
    if (!look) return nullptr;
    SetBkColor(dc, look->colour(StyleRole::Window));
    return look->windowBrush();
}

void TrackBarView::onScroll(int) {
    track_.setPosition(static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0)));
}

}  // namespace kv::ui::win32
