#pragma once
// A minimal PNG encoder: 8-bit RGB, no filtering, zlib stream of stored deflate blocks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvdriver {

// An image of width x height pixels, rows top to bottom, 3 bytes (R, G, B) per pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t adler32(const std::uint8_t* data, std::size_t size);

// A zlib stream (RFC 1950) holding data in stored deflate blocks (RFC 1951, type 0).
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& data);

// The PNG file bytes of image; throws std::invalid_argument for an inconsistent image.
std::vector<std::uint8_t> encodePng(const RgbImage& image);

// Writes encodePng(image) to path; false when the file cannot be written.
bool writePng(const RgbImage& image, const std::wstring& path);

}  // namespace kvdriver
