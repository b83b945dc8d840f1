#pragma once
// The list of look names offered in the style box.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/strutil.h"
#include "ui/PixelBuffer.h"

namespace kv::ui {

extern const wchar_t* const kSystemStyleName;  // "Windows"
extern const wchar_t* const kStyleSeparator;   // "------------"

// The names of the built-in styles, as the style engine knows them.
const std::vector<std::wstring>& BuiltinStyleNames();

// "Windows", the separator, then every other known style name sorted without regard to case;
// a known name that is the same name as "Windows" by sameName is not listed twice.
std::vector<std::wstring> StyleNameList(const std::vector<std::wstring>& known = BuiltinStyleNames(),
                                        const std::function<bool(const std::wstring&, const std::wstring&)>&
                                            sameName = equalsIgnoreCase);

// A colour value: red in the low byte, then green, then blue.
using ColorValue = std::uint32_t;
constexpr ColorValue colorValue(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | (g & 0xFFu) << 8 | (b & 0xFFu) << 16;
}
void SplitColor(ColorValue color, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b);

// Pictures wider than this are left as they are.
constexpr int kMaxRecolorWidth = 1025;
// The tag that marks an image control for recolouring.
constexpr int kRecolorGlyphTag = 9999;

// Recolours a grey picture in place to the glyph colour: white stays, light grey takes the
// colour, dark grey and black take half of it (black for a black colour becomes mid grey).
// A picture with any non-grey pixel, an empty one or one wider than kMaxRecolorWidth is
// left unchanged. A channel of 255 in the colour is used as 254, so nothing turns white.
void RecolorBitmap(PixelBuffer* bitmap, ColorValue glyphColor);

class Control;
class SpeedButton;
// Recolours a copy of the button's glyph and gives the button the copy.
void RecolorSpeedButtonGlyph(SpeedButton& button, ColorValue glyphColor);
// Recolours a speed button's glyph, or the picture of an image control tagged
// kRecolorGlyphTag; other controls are left alone.
void RecolorComponent(Control& component, ColorValue glyphColor);
// RecolorComponent on every control of a form, in the form's order.
void RecolorFormGlyphs(const std::vector<Control*>& formControls, ColorValue glyphColor);

}  // namespace kv::ui
