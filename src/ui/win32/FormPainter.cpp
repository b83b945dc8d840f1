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

FormPainter::FormPainter(PrintOf printOf, Background background)
    : printOf_(std::move(printOf)), background_(std::move(background)) {}

void FormPainter::paint(HWND form) {
    UniqueRegion update(CreateRectRgn(0, 0, 0, 0));
    const bool haveUpdate = update && GetUpdateRgn(form, update.get(), FALSE) != ERROR;
    PAINTSTRUCT ps{};
    HDC screen = BeginPaint(form, &ps);
    if (!screen) return;
    const RECT bounds = ps.rcPaint;
    RECT client{};
    GetClientRect(form, &client);
    if (!IsRectEmpty(&bounds) && form_.fit(screen, client.right, client.bottom)) {
        background_(form_.dc.get(), bounds);
        if (haveUpdate) {
            // What the bitmap now shows of the children is painted; the others keep their
            // own update regions and paint themselves.
            std::vector<Printed> printed;
            const UniqueRegion others = printChildren(form, screen, update.get(), bounds, printed);
            if (others) CombineRgn(update.get(), update.get(), others.get(), RGN_DIFF);
            RedrawWindow(form, nullptr, update.get(), RDW_VALIDATE | RDW_ALLCHILDREN);
            // A printed child overlapped only by self-painting children above it (a group
            // box's frame round an edit) is done: they paint over the rest of it.
            if (others)
                for (const Printed& child : printed)
                    if (RectInRegion(others.get(), &child.r))
                        RedrawWindow(child.window, nullptr, nullptr, RDW_VALIDATE);
        }
        BitBlt(screen, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
               form_.dc.get(), bounds.left, bounds.top, SRCCOPY);
    } else if (!IsRectEmpty(&bounds)) {
        background_(screen, bounds);  // no bitmap: the children paint themselves
    }
    EndPaint(form, &ps);
}

// Bottom to top, as the children lie on each other (a group box under its contents). The
// list is kept: asking for each sibling costs a round trip to the window server under Wine.
const std::vector<HWND>& FormPainter::childrenBottomUp(HWND form) {
    if (!children_.empty()) return children_;
    const HWND top = GetWindow(form, GW_CHILD);
    for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV))
        children_.push_back(child);
    return children_;
}

UniqueRegion FormPainter::printChildren(HWND form, HDC screen, HRGN update, const RECT& bounds,
                                        std::vector<Printed>& printedBeneath) {
    UniqueRegion others;
    for (const HWND child : childrenBottomUp(form)) {
        if (!IsWindowVisible(child)) continue;
        const RECT r = childRect(form, child);
        RECT visible{};
        if (!IntersectRect(&visible, &r, &bounds)) continue;
        if (!printOf_(child)) {
            // It paints only itself: the bitmap's background must not cover it.
            ExcludeClipRect(screen, r.left, r.top, r.right, r.bottom);
            UniqueRegion area(CreateRectRgnIndirect(&r));
            if (!others) others = std::move(area);
            else if (area) CombineRgn(others.get(), others.get(), area.get(), RGN_OR);
        } else if (RectInRegion(update, &r)) {
            printChild(child, r);
            // A self-painting child beneath it paints over it, so it must paint again.
            if (!others || !RectInRegion(others.get(), &r)) printedBeneath.push_back({child, r});
        }
    }
    return others;
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
