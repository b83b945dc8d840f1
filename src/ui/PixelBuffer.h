#pragma once
// A picture kept as pixels, so that portable code can look at it and recolour it; the
// platform turns it into its own bitmaps. Pixels are 0x00RRGGBB (32 bits, the top byte is
// never looked at), rows top to bottom.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv::ui {

constexpr std::uint32_t rgb(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) << 16 | (g & 0xFFu) << 8 | (b & 0xFFu);
}
constexpr unsigned redOf(std::uint32_t p) { return (p >> 16) & 0xFFu; }
constexpr unsigned greenOf(std::uint32_t p) { return (p >> 8) & 0xFFu; }
constexpr unsigned blueOf(std::uint32_t p) { return p & 0xFFu; }

struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    PixelBuffer() = default;
    PixelBuffer(int w, int h, std::uint32_t fill)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
    bool empty() const { return pixels.empty(); }
    std::uint32_t at(int x, int y) const { return pixels[index(x, y)]; }
    void set(int x, int y, std::uint32_t colour) { pixels[index(x, y)] = colour; }
    bool operator==(const PixelBuffer&) const = default;

private:
    size_t index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    }
};

}  // namespace kv::ui
