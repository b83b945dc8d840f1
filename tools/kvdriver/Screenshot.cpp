#include "kvdriver/Screenshot.h"

#include <utility>

#include "kvdriver/ImageFiles.h"
#include "kvdriver/Window.h"

namespace kvdriver {
namespace {

using kv::ui::win32::SelectedObject;
using kv::ui::win32::UniqueMemoryDc;

// The screen's DC, released on leaving the scope.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

std::optional<UniqueBitmap> captureWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return std::nullopt;
    usePhysicalPixels();
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rect{};
    if (!GetWindowRect(hwnd, &rect)) return std::nullopt;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return std::nullopt;

    const ScreenDc screen;
    if (!screen.get()) return std::nullopt;
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !bitmap) return std::nullopt;
    // The bitmap leaves the DC again before it is handed on (WIC reads it with GetDIBits).
    const SelectedObject select(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY))
        return std::nullopt;
    return std::optional<UniqueBitmap>(std::move(bitmap));
}

bool saveWindowPng(HWND hwnd, const std::wstring& path) {
    const auto bitmap = captureWindow(hwnd);
    return bitmap && writePng(bitmap->get(), path);
}

}  // namespace kvdriver
