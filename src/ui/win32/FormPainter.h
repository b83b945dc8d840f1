#pragma once
// Paints a form together with those of its child windows that can print themselves, in one
// pass into one off-screen bitmap, and marks the parts of those children that this pass
// covered as painted. A window of some fifty controls would otherwise go through fifty
// separate paint cycles whenever it is shown or repainted as a whole; each costs far more
// than the drawing itself (under Wine about a millisecond), and the first paint has to fit
// into the start timer's 100 ms. Being one bitmap, it also never flickers.
//
// A child that is invalidated on its own (a caption or a check mark changed) still paints
// itself as usual; the form must not have WS_CLIPCHILDREN, so that its paint reaches the
// children's areas.
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

class FormPainter {
public:
    // printable: whether a child draws itself completely on WM_PRINTCLIENT.
    // background: fills the form's background into a DC, in form coordinates.
    FormPainter(std::function<bool(HWND)> printable, std::function<void(HDC, const RECT&)> background);

    // Handles the form's WM_PAINT.
    void paint(HWND form);
    // Whether the form's WM_ERASEBKGND for dc can be skipped: a DC of the form itself is
    // erased in the bitmap by the paint that follows. Other DCs (a themed child drawing
    // the form's background under itself) are erased as usual.
    static bool erasesInPaint(HWND form, HDC dc) { return WindowFromDC(dc) == form; }

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

    // A visible child that lies in the paint rectangle.
    struct Child {
        HWND window;
        RECT rect;  // in the form's client coordinates
        bool printable;
    };
    std::vector<Child> childrenIn(HWND form, const RECT& bounds) const;
    void printChild(HWND child, const RECT& r);

    std::function<bool(HWND)> printable_;
    std::function<void(HDC, const RECT&)> background_;
    Canvas form_;   // the form's client area
    Canvas child_;  // one child at a time, at its own origin
};

}  // namespace kv::ui::win32
