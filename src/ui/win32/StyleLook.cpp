#include "ui/win32/StyleLook.h"

#include "ui/StyleStates.h"

#include <string_view>

namespace kv::ui::win32 {

namespace {

constexpr const wchar_t* kStyleResourceType = L"KVSTYLE";

COLORREF toColorRef(const StyleColour& c) { return RGB(c.r, c.g, c.b); }

struct LoadState {
    StyleEngine* engine;
    int added;
};

BOOL CALLBACK addStyleResource(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) noexcept {
    auto& state = *reinterpret_cast<LoadState*>(param);
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return TRUE;
    const std::string_view text(static_cast<const char*>(data), SizeofResource(module, found));
    try {
        if (state.engine->addStyle(text)) ++state.added;
    } catch (...) {
        // A style that cannot be read is left out; the others still load.
    }
    return TRUE;
}

}  // namespace

const StyleData* StyleLook::style() const {
    if (!engine_ || contrast_.on()) return nullptr;
    return engine_->active();
}

COLORREF StyleLook::colour(StyleRole role) const {
    const StyleData* s = style();
    if (s) return toColorRef(s->colour(role));
    return GetSysColor(role == StyleRole::Window ? COLOR_BTNFACE : COLOR_BTNTEXT);
}

HBRUSH StyleLook::windowBrush() const {
    return style() && windowBrush_ ? windowBrush_.get() : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH StyleLook::brush(StyleRole role) const {
    UniqueBrush& b = brushes_[static_cast<size_t>(role)];
    if (!b) b.reset(CreateSolidBrush(colour(role)));
    return b.get();
}

HPEN StyleLook::pen(StyleRole role, int width) const {
    for (const Pen& p : pens_)
        if (p.role == role && p.width == width) return p.pen.get();
    pens_.push_back({role, width, UniquePen(CreatePen(PS_INSIDEFRAME, width, colour(role)))});
    return pens_.back().pen.get();
}

int StyleLook::metric(StyleMetric m, int dpi) const {
    const StyleData* s = style();
    return s ? scaledMetric(s->metric(m), dpi) : 0;
}

void StyleLook::refresh() {
    const StyleData* s = engine_ ? engine_->active() : nullptr;
    windowBrush_.reset(s ? CreateSolidBrush(toColorRef(s->colour(StyleRole::Window))) : nullptr);
    for (UniqueBrush& b : brushes_) b.reset();
    pens_.clear();
}

int loadBuiltinStyles(StyleEngine& engine, HMODULE module) {
    LoadState state{&engine, 0};
    EnumResourceNamesW(module, kStyleResourceType, addStyleResource, reinterpret_cast<LONG_PTR>(&state));
    return state.added;
}

ColorValue systemButtonTextColor() {
    const COLORREF c = GetSysColor(COLOR_BTNTEXT);
    return colorValue(GetRValue(c), GetGValue(c), GetBValue(c));
}

}  // namespace kv::ui::win32
