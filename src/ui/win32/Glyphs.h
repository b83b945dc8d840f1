#pragma once
// The pictures of the speed buttons, drawn in code: the compact toggle's arrows and the two
// flags. An image is kept as pixels so that it can be recoloured and turned into a bitmap.
#include <cstdint>
#include <vector>

#include "ui/PixelBuffer.h"
#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

// The pictures are the portable pixel buffers that the style's recolouring works on.
using GlyphImage = kv::ui::PixelBuffer;
using kv::ui::rgb;

constexpr std::uint32_t kGlyphGrey = rgb(192, 192, 192);
constexpr std::uint32_t kGlyphBlack = rgb(0, 0, 0);

// 26 x 10: a black arrow up and a black arrow down on light grey.
GlyphImage compactToggleGlyph();
// 30 x 20: black, red and gold stripes.
GlyphImage germanFlagGlyph();
// 30 x 20: thirteen red and white stripes with a blue field of white stars.
GlyphImage usFlagGlyph();
// The picture for a glyph number of the controls (ids::Glyph*); empty for an unknown one.
GlyphImage glyphForResource(int resourceId);

// A picture drawn in the two colours of a plain button (light grey and black) only, as the
// compact toggle is; the flags are not.
bool isButtonToneGlyph(const GlyphImage& image);
// The same picture with the grey turned into face and the black into text (both 0x00RRGGBB),
// for a system colour scheme such as high contrast.
GlyphImage recoloured(const GlyphImage& image, std::uint32_t face, std::uint32_t text);

// A 32-bit top-down bitmap with the image's pixels.
UniqueBitmap makeBitmap(const GlyphImage& image);

}  // namespace kv::ui::win32
