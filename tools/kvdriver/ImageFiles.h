#pragma once
// PNG files through the system's image codecs (WIC): a bitmap written as PNG, and any
// image file the codecs know read back as pixels. COM is initialised per call.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvdriver {

// Writes the bitmap (not selected into any DC) as a 24-bit PNG file; alpha is ignored.
// False when a step fails; no partial file is left then.
bool writePng(HBITMAP bitmap, const std::wstring& path);

struct DecodedImage {
    bool png = false;  // the file's container format is PNG
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;  // rows top to bottom, 4 bytes per pixel (B, G, R, A)

    // The pixel at (x, y) as an RGB() value.
    COLORREF pixel(int x, int y) const;
};

// Decodes the first frame of an image file; nullopt when it cannot be read.
std::optional<DecodedImage> readImage(const std::wstring& path);

}  // namespace kvdriver
