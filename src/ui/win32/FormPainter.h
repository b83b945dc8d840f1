#pragma once
// Paints a form together with those of its child windows that can print themselves, in one
// pass into one off-screen bitmap, and marks the parts of those children that this pass
// covered as painted. A window of some fifty controls would otherwise go through fifty
// separate paint cycles whenever it is shown or repainted as a whole; each costs far more
// than the drawing itself (under Wine about a millisecond, for its round trips to the
// window server), and the first paint has to fit into the start timer's 100 ms. Being one
// bitmap, it also never flickers.
//
// A child that is invalidated on its own (a caption or a check mark changed) still paints
// itself as usual; the form must not have WS_CLIPCHILDREN, so that its paint reaches the
// children's areas. The children draw what they draw on WM_PAINT (theme, colours, focus
// and hot state are theirs), only into the form's bitmap.
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

class FormPainter {
public:
    // Whether a child draws itself completely on WM_PRINTCLIENT.
    using PrintOf = std::function<bool(HWND)>;
    using Background = std::function<void(HDC, const RECT&)>;  // fills in form coordinates

    FormPainter(PrintOf printOf, Background background);

    // Handles the form's WM_PAINT.
    void paint(HWND form);
    // Whether the form's WM_ERASEBKGND for dc can be skipped: a DC of the form itself is
    // erased in the bitmap by the paint that follows. Other DCs (a themed child drawing
    // the form's background under itself) are erased as usual.
    static bool erasesInPaint(HWND form, HDC dc) { return WindowFromDC(dc) == form; }
    // Children were created, destroyed or moved in the z-order.
    void childrenChanged() { children_.clear(); }

private:
    // An off-screen bitmap kept between paints, grown when a larger one is needed.
    struct Canvas {
        UniqueMemoryDc dc;
        UniqueBitmap bitmap;
        HGDIOBJ original = nullptr;
        SIZE size{};
        ~Canvas();
        bool fit(HDC screen, int width, int height);
    };

    struct Printed {
        HWND window;
        RECT r;  // in the form's client coordinates
    };

    const std::vector<HWND>& childrenBottomUp(HWND form);
    // Prints the printable children in the update region into the form's bitmap; keeps
    // the other children out of the screen DC and returns the region they cover. Lists the
    // printed children that lie beneath every self-painting child they overlap.
    UniqueRegion printChildren(HWND form, HDC screen, HRGN update, const RECT& bounds,
                               std::vector<Printed>& printedBeneath);
    void printChild(HWND child, const RECT& r);

    PrintOf printOf_;
    Background background_;
    std::vector<HWND> children_;  // bottom to top; empty until first asked
    Canvas form_;   // the form's client area
    Canvas child_;  // one child at a time, at its own origin
};

}  // namespace kv::ui::win32
