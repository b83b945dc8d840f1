#include "ui/win32/PaintBatch.h"

namespace kv::ui::win32 {

namespace {
PaintBatch* activeBatch = nullptr;  // user-interface thread only
}  // namespace

PaintBatch::PaintBatch(HWND window) noexcept {
    if (activeBatch != nullptr || window == nullptr || !IsWindowVisible(window)) return;
    window_ = window;
    activeBatch = this;
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
}

void PaintBatch::finish() noexcept {
    if (window_ == nullptr) return;
    const HWND window = window_;
    window_ = nullptr;
    activeBatch = nullptr;
    if (!IsWindow(window)) return;
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void finishActivePaintBatch() noexcept {
    if (activeBatch != nullptr) activeBatch->finish();
}

}  // namespace kv::ui::win32
