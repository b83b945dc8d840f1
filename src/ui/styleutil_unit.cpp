#include "ui/styleutil_unit.h"

#include <algorithm>

#include "app/strutil.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComboBox.h"

namespace kv::ui {

const wchar_t* const kSystemStyleName = L"Windows";
const wchar_t* const kStyleSeparator = L"------------";

const std::vector<std::wstring>& BuiltinStyleNames() {
    static const std::vector<std::wstring> names{
        L"Windows", L"Amakrits", L"Amethyst Kamri", L"Aqua Graphite", L"Aqua Light Slate", L"Auric",
        L"Carbon", L"Charcoal Dark Slate", L"Cobalt XEMedia", L"Cyan Dusk", L"Cyan Night",
        L"Emerald Light Slate", L"Glossy", L"Glow", L"Golden Graphite", L"Iceberg Classico",
        L"Lavender Classico", L"Light", L"Luna", L"Metropolis UI Black", L"Metropolis UI Blue",
        L"Metropolis UI Dark", L"Metropolis UI Green", L"Obsidian", L"Onyx Blue", L"Ruby Graphite",
        L"Sapphire Kamri", L"Silver", L"Sky", L"Slate Classico", L"Smokey Quartz Kamri",
        L"Tablet Light", L"TabletDark", L"Turquoise Gray", L"Windows10", L"Windows10 Blue",
        L"Windows10 Dark", L"Windows10 Green", L"Windows10 Purple", L"Windows10 SlateGray"};
    return names;
}

std::vector<std::wstring> StyleNameList(const std::vector<std::wstring>& known,
                                        const std::function<bool(const std::wstring&, const std::wstring&)>& sameName) {
    std::vector<std::wstring> list;
    for (const std::wstring& name : known)
        if (!sameName(trimmed(name), kSystemStyleName)) list.push_back(name);
    std::stable_sort(list.begin(), list.end(), [](const std::wstring& a, const std::wstring& b) {
        return compareTextIgnoreCase(a, b) < 0;
    });
    list.insert(list.begin(), {kSystemStyleName, kStyleSeparator});
    return list;
}

void SplitColor(ColorValue color, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
    r = static_cast<std::uint8_t>(color & 0xFFu);
    g = static_cast<std::uint8_t>((color >> 8) & 0xFFu);
    b = static_cast<std::uint8_t>((color >> 16) & 0xFFu);
}

namespace {

bool isGrey(std::uint32_t p) { return blueOf(p) == greenOf(p) && greenOf(p) == redOf(p); }
bool anyChannelAtLeast(std::uint32_t p, unsigned level) {
    return redOf(p) >= level || greenOf(p) >= level || blueOf(p) >= level;
}
std::uint8_t neverWhite(std::uint8_t channel) { return channel == 255 ? 254 : channel; }

}  // namespace

void RecolorBitmap(PixelBuffer* bitmap, ColorValue glyphColor) {
    if (!bitmap || bitmap->empty() || bitmap->width > kMaxRecolorWidth) return;
    std::uint8_t r = 0, g = 0, b = 0;
    SplitColor(glyphColor, r, g, b);
    r = neverWhite(r);
    g = neverWhite(g);
    b = neverWhite(b);
    for (std::uint32_t p : bitmap->pixels)
        if (!isGrey(p)) return;
    const std::uint32_t light = rgb(r, g, b);
    const std::uint32_t dark = (r == 0 && g == 0 && b == 0) ? rgb(128, 128, 128) : rgb(r / 2, g / 2, b / 2);
    for (std::uint32_t& p : bitmap->pixels) {
        if (anyChannelAtLeast(p, 255)) continue;
        p = anyChannelAtLeast(p, 128) ? light : dark;
    }
}

void RecolorSpeedButtonGlyph(SpeedButton& button, ColorValue glyphColor) {
    if (button.glyphPixels().empty()) return;
    PixelBuffer copy = button.glyphPixels();
    RecolorBitmap(&copy, glyphColor);
    button.setGlyphPixels(std::move(copy));
}

void RecolorComponent(Control& component, ColorValue glyphColor) {
    if (component.kind() == ControlKind::SpeedButton) {
        RecolorSpeedButtonGlyph(static_cast<SpeedButton&>(component), glyphColor);
    } else if (component.kind() == ControlKind::Image) {
        auto& image = static_cast<Image&>(component);
        if (image.tag() == kRecolorGlyphTag && !image.picture().empty()) RecolorBitmap(&image.picture(), glyphColor);
    }
}

void RecolorFormGlyphs(const std::vector<Control*>& formControls, ColorValue glyphColor) {
    for (Control* c : formControls)
        if (c) RecolorComponent(*c, glyphColor);
}

}  // namespace kv::ui
