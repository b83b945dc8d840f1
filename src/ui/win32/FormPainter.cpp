#include "ui/win32/FormPainter.h"

#include <algorithm>
#include <utility>

namespace kv::ui::win32 {

namespace {

RECT childRect(HWND form, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Marks the part of the child that the form's update region covers as painted.
void validateCovered(HWND child, HRGN update, const RECT& r) {
    UniqueRegion covered(CreateRectRgnIndirect(&r));
    if (!covered) return;
    CombineRgn(covered.get(), covered.get(), update, RGN_AND);
    OffsetRgn(covered.get(), -r.left, -r.top);
    ValidateRgn(child, covered.get());
}

}  // namespace

FormPainter::Canvas::~Canvas() {
    if (dc && original) SelectObject(dc.get(), original);
}

bool FormPainter::Canvas::fit(HDC screen, int width, int height) {
    if (bitmap && size.cx >= width && size.cy >= height) return true;
    if (!dc) dc.reset(CreateCompatibleDC(screen));
    if (!dc) return false;
    const int w = std::max<int>(width, size.cx), h = std::max<int>(height, size.cy);
    UniqueBitmap grown(CreateCompatibleBitmap(screen, w, h));
    if (!grown) return false;
    const HGDIOBJ previous = SelectObject(dc.get(), grown.get());
    if (!original) original = previous;
    bitmap = std::move(grown);  // the old one is no longer selected
    size = SIZE{w, h};
    return true;
}

FormPainter::FormPainter(std::function<bool(HWND)> printable, std::function<void(HDC, const RECT&)> background)
    : printable_(std::move(printable)), background_(std::move(background)) {}

void FormPainter::paint(HWND form) {
    UniqueRegion update(CreateRectRgn(0, 0, 0, 0));
    const bool haveUpdate = update && GetUpdateRgn(form, update.get(), FALSE) != ERROR;
    PAINTSTRUCT ps{};
    HDC screen = BeginPaint(form, &ps);
    if (!screen) return;
    const RECT bounds = ps.rcPaint;
    RECT client{};
    GetClientRect(form, &client);
    if (!IsRectEmpty(&bounds)) {
        if (form_.fit(screen, client.right, client.bottom)) {
            background_(form_.dc.get(), bounds);
            for (const Child& child : childrenIn(form, bounds)) {
                const RECT& r = child.rect;
                if (!child.printable) {
                    // It paints only itself: the bitmap's background must not cover it.
                    ExcludeClipRect(screen, r.left, r.top, r.right, r.bottom);
                } else if (haveUpdate && RectInRegion(update.get(), &r)) {
                    printChild(child.window, r);
                    validateCovered(child.window, update.get(), r);
                }
            }
            BitBlt(screen, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                   form_.dc.get(), bounds.left, bounds.top, SRCCOPY);
        } else {
            background_(screen, bounds);  // no bitmap: the children paint themselves
        }
    }
    EndPaint(form, &ps);
}

// Bottom to top, as the children lie on each other (a group box under its contents).
std::vector<FormPainter::Child> FormPainter::childrenIn(HWND form, const RECT& bounds) const {
    std::vector<Child> children;
    HWND top = GetWindow(form, GW_CHILD);
    if (!top) return children;
    for (HWND child = GetWindow(top, GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) continue;
        const RECT r = childRect(form, child);
        RECT visible{};
        if (IntersectRect(&visible, &r, &bounds)) children.push_back(Child{child, r, printable_(child)});
    }
    return children;
}

// The child prints at its own origin, without any mapping of coordinates (controls clip to
// their client rectangle in device units), onto what lies beneath it, which then shows
// wherever the child draws nothing.
void FormPainter::printChild(HWND child, const RECT& r) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0 || !child_.fit(form_.dc.get(), width, height)) return;
    HDC dc = child_.dc.get();
    BitBlt(dc, 0, 0, width, height, form_.dc.get(), r.left, r.top, SRCCOPY);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, width, height);
    SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    RestoreDC(dc, saved);
    BitBlt(form_.dc.get(), r.left, r.top, width, height, dc, 0, 0, SRCCOPY);
}

}  // namespace kv::ui::win32
