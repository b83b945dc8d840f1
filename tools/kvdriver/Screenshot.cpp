#include "kvdriver/Screenshot.h"

#include <utility>
#include <vector>

namespace kvdriver {
namespace {

// Owners of the GDI objects a capture needs.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { if (dc_) ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }
private:
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() { if (dc_) DeleteDC(dc_); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }
private:
    HDC dc_;
};

class Bitmap {
public:
    explicit Bitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
    ~Bitmap() { if (bitmap_) DeleteObject(bitmap_); }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    HBITMAP get() const { return bitmap_; }
private:
    HBITMAP bitmap_;
};

class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace

std::optional<RgbImage> captureWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return std::nullopt;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rect{};
    if (!GetWindowRect(hwnd, &rect)) return std::nullopt;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return std::nullopt;

    ScreenDc screen;
    MemoryDc memory(screen.get());
    Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!screen.get() || !memory.get() || !bitmap.get()) return std::nullopt;
    {
        SelectGuard select(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY))
            return std::nullopt;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> bgra(static_cast<size_t>(width) * height * 4);
    if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), bgra.data(), &info,
                  DIB_RGB_COLORS) != height)
        return std::nullopt;

    RgbImage image{width, height, {}};
    image.pixels.reserve(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < bgra.size(); i += 4) {
        image.pixels.push_back(bgra[i + 2]);
        image.pixels.push_back(bgra[i + 1]);
        image.pixels.push_back(bgra[i]);
    }
    return image;
}

bool saveWindowPng(HWND hwnd, const std::wstring& path) {
    const auto image = captureWindow(hwnd);
    return image && writePng(*image, path);
}

}  // namespace kvdriver
