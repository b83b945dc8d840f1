#include "ui/win32/DropDownList.h"

#include <uxtheme.h>
#include <windowsx.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "ui/controls/ListNavigation.h"
#include "ui/win32/DropDownPaint.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/WindowClass.h"

namespace kv::ui::win32 {

namespace {

constexpr wchar_t kListClass[] = L"KvDropDownListRows";
constexpr int kWheelRows = 3;    // rows the open list scrolls per wheel notch

struct ThemeTraits {
    static void free(HTHEME theme) noexcept { CloseThemeData(theme); }
};
using UniqueTheme = kv::UniqueResource<HTHEME, ThemeTraits>;

wchar_t foldCase(wchar_t c) {
    wchar_t text[2] = {c, L'\0'};
    CharUpperBuffW(text, 1);
    return text[0];
}

bool contains(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

class DropDownBox {
public:
    explicit DropDownBox(HWND box) : box_(box) {}
    ~DropDownBox();
    DropDownBox(const DropDownBox&) = delete;
    DropDownBox& operator=(const DropDownBox&) = delete;

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleList(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

private:
    int count() const { return static_cast<int>(items_.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    bool open() const { return static_cast<bool>(list_); }

    // --- the box
    void paint(HDC dc, bool onParentBackground);
    HBRUSH colours(HDC dc) const;
    HTHEME theme();
    HFONT font() const;
    int rowHeight();
    void invalidate() const;
    void notify(int code) const;
    UINT dialogCode(const MSG* message) const;
    void select(int index);
    bool onKey(WPARAM key);
    void onChar(wchar_t ch);
    void onWheel(int delta);
    void onMouseMove();

    // --- the list
    void openList();
    void closeList(bool pick);
    void moveHighlight(int index);
    void scrollTo(int top);
    int listRows() const { return std::clamp(count(), 1, kDropDownListRows); }
    int rowAt(POINT clientPoint);
    void paintList(HWND list, HDC dc);
    void onListButtonDown(HWND list, POINT clientPoint);
    void onListButtonUp(POINT clientPoint);
    void onListScroll(HWND list, int code);
    void listChanged();

    // --- the entries
    LRESULT insert(WPARAM index, LPARAM text);
    LRESULT erase(WPARAM index);
    LRESULT setSelection(WPARAM index);
    LRESULT copyEntry(WPARAM index, LPARAM buffer) const;
    LRESULT copyText(WPARAM size, LPARAM buffer) const;

    HWND box_;
    UniqueWindow list_;
    UniqueTheme theme_;
    bool themeOpened_ = false;
    HFONT font_ = nullptr;
    int rowHeight_ = 0;
    bool redraw_ = true;
    std::vector<std::wstring> items_;
    int selection_ = -1;
    int highlight_ = -1;  // the entry marked in the open list
    int top_ = 0;         // the first entry the open list shows
    bool hot_ = false;    // the mouse is over the box
    bool pressedInList_ = false;
    bool draggedIntoList_ = false;
    bool scrolling_ = false;  // the list's scroll bar holds the mouse
};

// ----------------------------------------------------------------------------- the box

// A list still open when the box goes (its window closes) neither reaches the box nor
// tells the parent anything.
DropDownBox::~DropDownBox() {
    if (!list_) return;
    SetWindowLongPtrW(list_.get(), 0, 0);
    list_.reset();
}

LRESULT DropDownBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
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
            theme_.reset();
            themeOpened_ = false;
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

HTHEME DropDownBox::theme() {
    if (!themeOpened_) {
        themeOpened_ = true;
        theme_.reset(IsAppThemed() ? OpenThemeData(box_, L"COMBOBOX") : nullptr);
    }
    return theme_.get();
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

// ---------------------------------------------------------------------------- the list

void DropDownBox::openList() {
    if (open() || !IsWindowEnabled(box_)) return;
    const HWND box = box_;
    notify(CBN_DROPDOWN);  // the parent may fill the list now
    if (!IsWindow(box) || open()) return;

    RECT face{};
    GetWindowRect(box_, &face);
    const int border = GetSystemMetrics(SM_CYBORDER);
    const int width = face.right - face.left;
    const int height = listRows() * rowHeight() + 2 * border;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(box_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int top = face.bottom;
    if (top + height > work.bottom && face.top - height >= work.top) top = face.top - height;
    const int left = std::clamp<int>(face.left, work.left, std::max<int>(work.left, work.right - width));

    highlight_ = selection_;
    top_ = listTopShowing(highlight_, 0, listRows(), count());
    pressedInList_ = false;
    draggedIntoList_ = false;
    const DWORD style = WS_POPUP | WS_BORDER | (count() > kDropDownListRows ? WS_VSCROLL : 0);
    // No owner: under Wine an owned popup keeps its owner from being topmost.
    list_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kListClass, L"", style, left,
                                top, width, height, nullptr, nullptr,
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(box_, GWLP_HINSTANCE)), this));
    if (!list_) return;
    listChanged();
    ShowWindow(list_.get(), SW_SHOWNA);
    SetCapture(list_.get());
    invalidate();
}

// Closes the list; with pick, the marked entry becomes the selection.
void DropDownBox::closeList(bool pick) {
    if (!open()) return;
    const int picked = highlight_;
    UniqueWindow list = std::move(list_);  // closed before the messages of its end arrive
    if (GetCapture() == list.get()) ReleaseCapture();
    list.reset();
    invalidate();
    const HWND box = box_;
    notify(CBN_CLOSEUP);
    if (pick && IsWindow(box)) select(picked);
}

void DropDownBox::moveHighlight(int index) {
    if (!valid(index)) return;
    highlight_ = index;
    scrollTo(listTopShowing(index, top_, listRows(), count()));
    if (list_) InvalidateRect(list_.get(), nullptr, FALSE);
}

void DropDownBox::scrollTo(int top) {
    top = listTopShowing(-1, top, listRows(), count());
    if (top == top_ || !list_) {
        top_ = top;
        return;
    }
    top_ = top;
    SetScrollPos(list_.get(), SB_VERT, top_, TRUE);
    InvalidateRect(list_.get(), nullptr, FALSE);
}

// Keeps the open list in step with entries that came or went while it is open.
void DropDownBox::listChanged() {
    if (!valid(selection_)) selection_ = -1;
    invalidate();
    if (!list_) return;
    if (!valid(highlight_)) highlight_ = selection_;
    top_ = listTopShowing(highlight_, top_, listRows(), count());
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, count() - 1),
                    static_cast<UINT>(listRows()), top_, 0};
    SetScrollInfo(list_.get(), SB_VERT, &info, TRUE);
    InvalidateRect(list_.get(), nullptr, FALSE);
}

int DropDownBox::rowAt(POINT clientPoint) {
    if (clientPoint.y < 0) return -1;
    const int index = top_ + clientPoint.y / rowHeight();
    return index < top_ + listRows() && valid(index) ? index : -1;
}

LRESULT DropDownBox::handleList(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            if (HDC dc = BeginPaint(list, &ps)) paintList(list, dc);
            EndPaint(list, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_MOUSEMOVE: {
            RECT client{};
            GetClientRect(list, &client);
            if (!contains(client, at)) return 0;
            if (wParam & MK_LBUTTON) draggedIntoList_ = true;
            if (const int row = rowAt(at); row >= 0 && row != highlight_) moveHighlight(row);
            return 0;
        }
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: onListButtonDown(list, at); return 0;
        case WM_LBUTTONUP: onListButtonUp(at); return 0;
        case WM_MOUSEWHEEL: onWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        case WM_VSCROLL: onListScroll(list, LOWORD(wParam)); return 0;
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a menu, a task switch): the list gives up.
            if (!scrolling_ && reinterpret_cast<HWND>(lParam) != list) closeList(false);
            return 0;
        default: break;
    }
    return DefWindowProcW(list, message, wParam, lParam);
}

void DropDownBox::paintList(HWND list, HDC dc) {
    DropDownRows rows;
    GetClientRect(list, &rows.client);
    rows.background = colours(dc);
    rows.items = &items_;
    rows.top = top_;
    rows.rows = listRows();
    rows.rowHeight = rowHeight();
    rows.highlight = highlight_;
    rows.font = font();
    paintDropDownRows(dc, rows);
}

// The list holds the mouse: a press on a row marks it, on the scroll bar scrolls, and
// anywhere else closes the list without a choice (on the box too, which toggles it).
void DropDownBox::onListButtonDown(HWND list, POINT clientPoint) {
    RECT client{};
    GetClientRect(list, &client);
    if (contains(client, clientPoint)) {
        pressedInList_ = true;
        if (const int row = rowAt(clientPoint); row >= 0) moveHighlight(row);
        return;
    }
    POINT screen = clientPoint;
    ClientToScreen(list, &screen);
    RECT frame{};
    GetWindowRect(list, &frame);
    if (!contains(frame, screen)) {
        closeList(false);
        return;
    }
    const LPARAM where = MAKELPARAM(screen.x, screen.y);
    const auto hit = static_cast<WPARAM>(SendMessageW(list, WM_NCHITTEST, 0, where));
    scrolling_ = true;
    ReleaseCapture();
    DefWindowProcW(list, WM_NCLBUTTONDOWN, hit, where);  // tracks the scroll bar until release
    scrolling_ = false;
    if (list_.get() == list) SetCapture(list);
}

// A release on a row picks it when the press began in the list, or when the press that
// opened the list was dragged into it.
void DropDownBox::onListButtonUp(POINT clientPoint) {
    const bool picks = pressedInList_ || draggedIntoList_;
    pressedInList_ = false;
    draggedIntoList_ = false;
    const int row = rowAt(clientPoint);
    if (!picks || row < 0) return;
    highlight_ = row;
    closeList(true);
}

void DropDownBox::onListScroll(HWND list, int code) {
    SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &info);
    switch (code) {
        case SB_LINEUP: scrollTo(top_ - 1); break;
        case SB_LINEDOWN: scrollTo(top_ + 1); break;
        case SB_PAGEUP: scrollTo(top_ - listRows()); break;
        case SB_PAGEDOWN: scrollTo(top_ + listRows()); break;
        case SB_TOP: scrollTo(0); break;
        case SB_BOTTOM: scrollTo(count()); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: scrollTo(info.nTrackPos); break;
        default: break;
    }
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

// ---------------------------------------------------------------- window procedures

DropDownBox* boxOf(HWND window) { return reinterpret_cast<DropDownBox*>(GetWindowLongPtrW(window, 0)); }

LRESULT CALLBACK boxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* box = new (std::nothrow) DropDownBox(window);
        if (!box) return FALSE;
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(box));
    }
    DropDownBox* box = boxOf(window);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, 0, 0);
        delete box;
    }
    if (!box || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return box->handle(message, wParam, lParam);
    } catch (...) {  // only memory can run out here: an entry that could not be stored
        return message == CB_ADDSTRING || message == CB_INSERTSTRING ? CB_ERRSPACE : 0;
    }
}

// The list window belongs to the box that created it and lives only while it is open.
LRESULT CALLBACK listProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, 0,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    DropDownBox* box = boxOf(window);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, 0, 0);
    if (!box || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return box->handleList(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

void registerOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, UINT style) {
    WNDCLASSEXW wc{};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(DropDownBox*);
    wc.hInstance = instance;
    wc.lpszClassName = name;
    registerWindowClassOnce(wc);
}

}  // namespace

void registerDropDownList(HINSTANCE instance) {
    registerOnce(instance, kDropDownListClass, boxProc, CS_DBLCLKS);
    registerOnce(instance, kListClass, listProc, CS_DROPSHADOW | CS_SAVEBITS);
}

}  // namespace kv::ui::win32
