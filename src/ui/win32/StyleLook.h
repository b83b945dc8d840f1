#pragma once
// The active style as the views draw it: its colours as COLORREF and the brushes and pens
// made from them, or nothing while the system look is active or high contrast is on (then
// the system's colours win over any style).
#include <windows.h>

#include <array>
#include <vector>

#include "ui/StyleEngine.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/HighContrast.h"

namespace kv::ui::win32 {

class StyleLook {
public:
    explicit StyleLook(const HighContrast& contrast) : contrast_(contrast) {}
    StyleLook(const StyleLook&) = delete;
    StyleLook& operator=(const StyleLook&) = delete;

    void setEngine(const StyleEngine* engine) {
        engine_ = engine;
        refresh();
    }
    // The style to draw in; nullptr: the system draws.
    const StyleData* style() const;
    // A colour of the style; without one, the system's button face for the window and its
    // button text for every other role.
    COLORREF colour(StyleRole role) const;
    // The window's background: the style's, else the system's button face.
    HBRUSH windowBrush() const;
    // A brush and a pen (width in window pixels) of a role of the active style, made on first
    // use and kept until the style changes. Only while style() is set.
    HBRUSH brush(StyleRole role) const;
    HPEN pen(StyleRole role, int width) const;
    // A measure of the style at dpi.
    int metric(StyleMetric metric, int dpi) const;
    // After a switch of the style: makes the brushes again.
    void refresh();

private:
    struct Pen {
        StyleRole role;
        int width;
        UniquePen pen;
    };
    const HighContrast& contrast_;
    const StyleEngine* engine_ = nullptr;
    UniqueBrush windowBrush_;
    mutable std::array<UniqueBrush, kStyleRoleCount> brushes_;
    mutable std::vector<Pen> pens_;
};

// Adds every KVSTYLE resource of the module to the engine; returns how many were added.
int loadBuiltinStyles(StyleEngine& engine, HMODULE module);

// The system's button text colour as a colour value.
ColorValue systemButtonTextColor();

}  // namespace kv::ui::win32
