// The open list of a drop-down list box: a top-level window of rows that exists only while
// the list is open and holds the mouse meanwhile.
#include <windowsx.h>

#include "ui/controls/ListNavigation.h"
#include "ui/win32/DropDownBox.h"
#include "ui/win32/DropDownPaint.h"

namespace kv::ui::win32 {

namespace {

bool contains(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

}  // namespace

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
    releasePicks_ = false;
    const DWORD style = WS_POPUP | WS_BORDER | (count() > kDropDownListRows ? WS_VSCROLL : 0);
    // No owner: under Wine an owned popup keeps its owner from being topmost.
    list_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kDropDownRowsClass, L"", style, left,
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
    const bool moved = top != top_;
    top_ = top;
    if (!moved || !list_) return;
    SetScrollPos(list_.get(), SB_VERT, top_, TRUE);
    InvalidateRect(list_.get(), nullptr, FALSE);
}

// Keeps the open list in step with entries that came or went while it is open.
void DropDownBox::listChanged() {
    invalidate();
    if (!list_) return;
    if (!valid(highlight_)) highlight_ = selection_;
    top_ = listTopShowing(highlight_, top_, listRows(), count());
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, count() - 1),
                    static_cast<UINT>(listRows()), top_, 0};
    SetScrollInfo(list_.get(), SB_VERT, &info, TRUE);
    InvalidateRect(list_.get(), nullptr, FALSE);
}

// The entry of the row at a point of the open list; -1 outside the rows, beside them too.
int DropDownBox::rowAt(POINT clientPoint) const {
    RECT client{};
    if (!list_ || !GetClientRect(list_.get(), &client) || !contains(client, clientPoint) || rowHeight_ <= 0)
        return -1;
    const int index = top_ + clientPoint.y / rowHeight_;
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
        case WM_MOUSEMOVE:
            if (const int row = rowAt(at); row >= 0) {
                if (wParam & MK_LBUTTON) releasePicks_ = true;
                if (row != highlight_) moveHighlight(row);
            }
            return 0;
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
        releasePicks_ = true;
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

void DropDownBox::onListButtonUp(POINT clientPoint) {
    const bool picks = releasePicks_;
    releasePicks_ = false;
    const int row = rowAt(clientPoint);
    if (!picks || row < 0) return;
    highlight_ = row;
    closeList(true);
}

void DropDownBox::onListScroll(HWND list, int code) {
    switch (code) {
        case SB_LINEUP: scrollTo(top_ - 1); break;
        case SB_LINEDOWN: scrollTo(top_ + 1); break;
        case SB_PAGEUP: scrollTo(top_ - listRows()); break;
        case SB_PAGEDOWN: scrollTo(top_ + listRows()); break;
        case SB_TOP: scrollTo(0); break;
        case SB_BOTTOM: scrollTo(count()); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: {
            SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(list, SB_VERT, &info);
            scrollTo(info.nTrackPos);
            break;
        }
        default: break;
    }
}

}  // namespace kv::ui::win32
