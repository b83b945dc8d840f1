#include "ui/win32/Glyphs.h"

#include <cstring>

#include "ui/ControlIds.h"

namespace kv::ui::win32 {

namespace {

// A filled triangle of the given number of rows; row 0 is the tip.
void drawArrow(GlyphImage& image, int centreX, int tipY, int rows, bool pointsUp) {
    for (int row = 0; row < rows; ++row) {
        const int y = pointsUp ? tipY + row : tipY - row;
        for (int x = centreX - row; x <= centreX + row; ++x) image.set(x, y, kGlyphBlack);
    }
}

}  // namespace

GlyphImage compactToggleGlyph() {
    GlyphImage image(26, 10, kGlyphGrey);
    drawArrow(image, 7, 2, 5, true);     // up: rows 2..6
    drawArrow(image, 18, 7, 5, false);   // down: rows 7..3
    return image;
}

GlyphImage germanFlagGlyph() {
    GlyphImage image(30, 20, 0);
    const std::uint32_t stripes[] = {rgb(0, 0, 0), rgb(221, 0, 0), rgb(255, 206, 0)};
    for (int y = 0; y < image.height; ++y) {
        const std::uint32_t colour = stripes[y * 3 / image.height];
        for (int x = 0; x < image.width; ++x) image.set(x, y, colour);
    }
    return image;
}

GlyphImage usFlagGlyph() {
    constexpr std::uint32_t red = rgb(178, 34, 52);
    constexpr std::uint32_t white = rgb(255, 255, 255);
    constexpr std::uint32_t blue = rgb(60, 59, 110);
    GlyphImage image(30, 20, white);
    for (int y = 0; y < image.height; ++y) {
        const int stripe = y * 13 / image.height;
        for (int x = 0; x < image.width; ++x) image.set(x, y, stripe % 2 == 0 ? red : white);
    }
    // The blue field covers the first seven stripes and two fifths of the width.
    constexpr int fieldWidth = 12;
    int fieldHeight = 0;
    while (fieldHeight * 13 / image.height < 7) ++fieldHeight;
    for (int y = 0; y < fieldHeight; ++y) {
        for (int x = 0; x < fieldWidth; ++x) {
            const bool star = (y % 4 == 1 && x % 4 == 1) || (y % 4 == 3 && x % 4 == 3);
            image.set(x, y, star ? white : blue);
        }
    }
    return image;
}

GlyphImage glyphForResource(int resourceId) {
    switch (resourceId) {
        case ids::GlyphKleinGross: return compactToggleGlyph();
        case ids::GlyphFlagDE: return germanFlagGlyph();
        case ids::GlyphFlagEN: return usFlagGlyph();
        default: return {};
    }
}

UniqueBitmap makeBitmap(const GlyphImage& image) {
    if (image.empty()) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows, as in the image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    // 0x00RRGGBB in little-endian memory is the B, G, R, 0 byte order of a 32-bit DIB.
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));
    return bitmap;
}

bool isButtonToneGlyph(const GlyphImage& image) {
    if (image.empty()) return false;
    for (std::uint32_t pixel : image.pixels)
        if (pixel != kGlyphGrey && pixel != kGlyphBlack) return false;
    return true;
}

GlyphImage recoloured(const GlyphImage& image, std::uint32_t face, std::uint32_t text) {
    GlyphImage result = image;
    for (std::uint32_t& pixel : result.pixels) pixel = pixel == kGlyphBlack ? text : pixel == kGlyphGrey ? face : pixel;
    return result;
}

}  // namespace kv::ui::win32
