#pragma once
// The fonts of the controls: Tahoma in the sizes and weights the controls ask for, created
// once per scale and shared by every control that uses the same face.
#include <map>

#include "ui/controls/Control.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/UiScale.h"

namespace kv::ui::win32 {

class FontCache {
public:
    static constexpr const wchar_t* kFaceName = L"Tahoma";

    explicit FontCache(const UiScale& scale) : scale_(&scale) {}
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // A font for the control font's size and weight (the colour is drawn by the view).
    HFONT get(const Font& font);
    // Drops the fonts made for other scales; call once every control has a new font.
    void dropOtherScales();
    size_t size() const { return fonts_.size(); }

private:
    struct Key {
        int dpi;
        int points;
        bool bold;
        bool operator<(const Key& o) const {
            if (dpi != o.dpi) return dpi < o.dpi;
            if (points != o.points) return points < o.points;
            return bold < o.bold;
        }
    };
    const UiScale* scale_;
    std::map<Key, UniqueFont> fonts_;
};

}  // namespace kv::ui::win32
