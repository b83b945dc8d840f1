#pragma once
// The one scale factor of the backend: design pixels (96 PPI) to window pixels.
#include <windows.h>

#include "ui/controls/Control.h"

namespace kv::ui::win32 {

class UiScale {
public:
    static constexpr int kDesignDpi = 96;

    explicit UiScale(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
    int dpi() const { return dpi_; }

    int toWindow(int designPixels) const { return MulDiv(designPixels, dpi_, kDesignDpi); }
    int toDesign(int windowPixels) const { return MulDiv(windowPixels, kDesignDpi, dpi_); }
    RECT toWindow(const Rect& r) const {
        const int left = toWindow(r.left);
        const int top = toWindow(r.top);
        return {left, top, left + toWindow(r.width), top + toWindow(r.height)};
    }
    // Font height in pixels (negative: character height) for a size in points.
    int fontHeight(int points) const { return -MulDiv(points, dpi_, 72); }

private:
    int dpi_;
};

}  // namespace kv::ui::win32
