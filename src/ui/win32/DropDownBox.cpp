#include "ui/win32/DropDownBox.h"

#include "ui/controls/ListNavigation.h"
#include "ui/win32/DropDownPaint.h"

namespace kv::ui::win32 {

namespace {

constexpr int kWheelRows = 3;  // rows the open list scrolls per wheel notch

wchar_t foldCase(wchar_t c) {
    wchar_t text[2] = {c, L'\0'};
    CharUpperBuffW(text, 1);
    return text[0];
}

}  // namespace

// A list still open when the box goes (its window closes) neither reaches the box nor
// tells the parent anything.
DropDownBox::~DropDownBox() {
    if (!list_) return;
    SetWindowLongPtrW(list_.get(), 0, 0);
    list_.reset();
}

LRESULT DropDownBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: openTheme(); break;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            if (HDC dc = BeginPaint(box_, &ps)) paint(dc, false);
            EndPaint(box_, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam), true); return 0;
        case WM_ERASEBKGND: return 1;  // the paint covers everything
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            rowHeight_ = 0;
            if (LOWORD(lParam)) invalidate();
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case WM_SETREDRAW:
            redraw_ = wParam != FALSE;
            return 0;
        case WM_THEMECHANGED:
            openTheme();
            invalidate();
            return 0;
        case WM_GETDLGCODE: return dialogCode(reinterpret_cast<const MSG*>(lParam));
        case WM_SETFOCUS: invalidate(); notify(CBN_SETFOCUS); return 0;
        case WM_KILLFOCUS:
            closeList(false);
            invalidate();
            notify(CBN_KILLFOCUS);
            return 0;
        case WM_ENABLE:
            if (!wParam) closeList(false);
            invalidate();
            return 0;
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
            if (GetFocus() != box_) SetFocus(box_);
            if (open()) closeList(false);
            else openList();
            return 0;
        case WM_MOUSEMOVE: onMouseMove(); return 0;
        case WM_MOUSELEAVE:
            hot_ = false;
            invalidate();
            return 0;
        case WM_KEYDOWN:
            if (onKey(wParam)) return 0;
            break;
        case WM_SYSKEYDOWN:
            if (wParam == VK_DOWN || wParam == VK_UP) {
                if (open()) closeList(true);
                else openList();
            }
            // The system sees every key pressed with Alt, or it would take the release of
            // Alt for a tap that opens the window menu.
            break;
        case WM_CHAR: onChar(static_cast<wchar_t>(wParam)); return 0;
        case WM_MOUSEWHEEL: onWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        case WM_GETTEXTLENGTH: return valid(selection_) ? static_cast<LRESULT>(items_[selection_].size()) : 0;
        case WM_GETTEXT: return copyText(wParam, lParam);
        case CB_GETCOUNT: return count();
        case CB_GETCURSEL: return selection_;
        case CB_SETCURSEL: return setSelection(wParam);
        case CB_ADDSTRING: return insert(static_cast<WPARAM>(-1), lParam);
        case CB_INSERTSTRING: return insert(wParam, lParam);
        case CB_DELETESTRING: return erase(wParam);
        case CB_RESETCONTENT:
            items_.clear();
            selection_ = -1;
            listChanged();
            return CB_OKAY;
        case CB_GETLBTEXT: return copyEntry(wParam, lParam);
        case CB_GETLBTEXTLEN:
            return valid(static_cast<int>(wParam)) ? static_cast<LRESULT>(items_[wParam].size()) : CB_ERR;
        case CB_SHOWDROPDOWN:
            if (wParam) openList();
            else closeList(false);
            return TRUE;
        case CB_GETDROPPEDSTATE: return open() ? TRUE : FALSE;
        default: break;
    }
    return DefWindowProcW(box_, message, wParam, lParam);
}

void DropDownBox::paint(HDC dc, bool onParentBackground) {
    DropDownFace face;
    GetClientRect(box_, &face.client);
    face.theme = theme();
    // A themed frame has round corners: what lies beneath shows there.
    if (!onParentBackground && face.theme) DrawThemeParentBackground(box_, dc, &face.client);
    face.background = colours(dc);
    face.text = valid(selection_) ? &items_[selection_] : nullptr;
    face.font = font();
    face.enabled = IsWindowEnabled(box_) != FALSE;
    face.open = open();
    face.marked = face.enabled && !face.open && GetFocus() == box_;
    face.hot = hot_;
    paintDropDownFace(dc, face);
}

// The parent chooses the colours, as for a combo box's list.
HBRUSH DropDownBox::colours(HDC dc) const {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(box_), WM_CTLCOLORLISTBOX,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(box_)));
    return brush ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void DropDownBox::openTheme() {
    theme_.reset();  // closed before the new one opens
    if (IsAppThemed()) theme_.reset(OpenThemeData(box_, L"COMBOBOX"));
}

HFONT DropDownBox::font() const {
    return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int DropDownBox::rowHeight() {
    if (rowHeight_ > 0) return rowHeight_;
    TEXTMETRICW metrics{};
    if (HDC dc = GetDC(box_)) {
        SelectedObject selected(dc, font());
        GetTextMetricsW(dc, &metrics);
        ReleaseDC(box_, dc);
    }
    rowHeight_ = std::max<int>(1, metrics.tmHeight + 1);
    return rowHeight_;
}

void DropDownBox::invalidate() const {
    if (redraw_) InvalidateRect(box_, nullptr, FALSE);
}

void DropDownBox::notify(int code) const {
    SendMessageW(GetParent(box_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box_), code), reinterpret_cast<LPARAM>(box_));
}

// Arrows and characters always; Enter and Escape only while the list is open.
UINT DropDownBox::dialogCode(const MSG* message) const {
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (open() && message && message->message == WM_KEYDOWN &&
        (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

// The operator's choice in the closed box: shown and told at once.
void DropDownBox::select(int index) {
    if (!valid(index) || index == selection_) return;
    selection_ = index;
    invalidate();
    notify(CBN_SELCHANGE);
}

bool DropDownBox::onKey(WPARAM key) {
    ListKey move{};
    switch (key) {
        case VK_UP: case VK_LEFT: move = ListKey::Up; break;
        case VK_DOWN: case VK_RIGHT: move = ListKey::Down; break;
        case VK_PRIOR: move = ListKey::PageUp; break;
        case VK_NEXT: move = ListKey::PageDown; break;
        case VK_HOME: move = ListKey::Home; break;
        case VK_END: move = ListKey::End; break;
        case VK_F4:
            if (open()) closeList(true);
            else openList();
            return true;
        case VK_RETURN:
            if (!open()) return false;
            closeList(true);
            return true;
        case VK_ESCAPE:
            if (!open()) return false;
            closeList(false);
            return true;
        default: return false;
    }
    if (open()) moveHighlight(listTarget(highlight_, count(), move, listRows()));
    else select(listTarget(selection_, count(), move, kDropDownListRows));
    return true;
}

void DropDownBox::onChar(wchar_t ch) {
    if (ch < L' ') return;
    const int found = listEntryStartingWith(items_, open() ? highlight_ : selection_, ch, foldCase);
    if (found < 0) return;
    if (open()) moveHighlight(found);
    else select(found);
}

void DropDownBox::onWheel(int delta) {
    if (delta == 0) return;
    if (open()) scrollTo(top_ + (delta > 0 ? -kWheelRows : kWheelRows));
    else select(listTarget(selection_, count(), delta > 0 ? ListKey::Up : ListKey::Down, kDropDownListRows));
}

void DropDownBox::onMouseMove() {
    if (hot_) return;
    hot_ = true;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = box_;
    TrackMouseEvent(&track);
    invalidate();
}

// -------------------------------------------------------------------------- the entries

LRESULT DropDownBox::insert(WPARAM index, LPARAM text) {
    const int at = index == static_cast<WPARAM>(-1) ? count() : static_cast<int>(index);
    if (at < 0 || at > count() || text == 0) return CB_ERR;
    items_.insert(items_.begin() + at, reinterpret_cast<const wchar_t*>(text));
    if (selection_ >= at) ++selection_;
    if (highlight_ >= at) ++highlight_;
    listChanged();
    return at;
}

LRESULT DropDownBox::erase(WPARAM index) {
    const int at = static_cast<int>(index);
    if (!valid(at)) return CB_ERR;
    items_.erase(items_.begin() + at);
    if (selection_ == at) selection_ = -1;
    else if (selection_ > at) --selection_;
    if (highlight_ == at) highlight_ = -1;
    else if (highlight_ > at) --highlight_;
    listChanged();
    return count();
}

// As a combo box: -1 or an index past the end clears the selection and answers CB_ERR.
LRESULT DropDownBox::setSelection(WPARAM index) {
    const int at = static_cast<int>(index);
    const int previous = selection_;
    selection_ = valid(at) ? at : -1;
    if (open()) moveHighlight(selection_);
    if (selection_ != previous) invalidate();
    return selection_ >= 0 ? selection_ : CB_ERR;
}

LRESULT DropDownBox::copyEntry(WPARAM index, LPARAM buffer) const {
    if (!valid(static_cast<int>(index)) || buffer == 0) return CB_ERR;
    const std::wstring& text = items_[index];
    std::copy(text.begin(), text.end(), reinterpret_cast<wchar_t*>(buffer));
    reinterpret_cast<wchar_t*>(buffer)[text.size()] = L'\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT DropDownBox::copyText(WPARAM size, LPARAM buffer) const {
    if (size == 0 || buffer == 0) return 0;
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    const std::wstring none;
    const std::wstring& text = valid(selection_) ? items_[selection_] : none;
    const size_t copied = std::min<size_t>(text.size(), size - 1);
    std::copy_n(text.begin(), copied, out);
    out[copied] = L'\0';
    return static_cast<LRESULT>(copied);
}

}  // namespace kv::ui::win32
