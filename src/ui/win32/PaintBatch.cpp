#include "ui/win32/PaintBatch.h"

#include "ui/win32/Win32View.h"

namespace kv::ui::win32 {

namespace {
PaintBatch* activeBatch = nullptr;  // user-interface thread only
}  // namespace

PaintBatch::PaintBatch(HWND window) noexcept {
    if (activeBatch != nullptr || window == nullptr || !IsWindowVisible(window)) return;
    window_ = window;
    activeBatch = this;
    // Turning redraw off validates the window and all its children: what already waits to
    // be painted is painted first, or it would be lost.
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
}

void PaintBatch::addChanged(HWND child) noexcept {
    if (window_ == nullptr || child == nullptr || whole_) return;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&r), 2);
    UniqueRegion area(CreateRectRgnIndirect(&r));
    if (!area) {
        whole_ = true;
        return;
    }
    if (!changed_) changed_ = std::move(area);
    else CombineRgn(changed_.get(), changed_.get(), area.get(), RGN_OR);
}

void PaintBatch::finish() noexcept {
    if (window_ == nullptr) return;
    // Shown while the batch still collects the windows that change.
    std::vector<Win32View*> texts;
    texts.swap(pendingTexts_);
    for (Win32View* view : texts) view->showPendingText();
    const HWND window = window_;
    window_ = nullptr;
    activeBatch = nullptr;
    if (!IsWindow(window)) return;
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    // While redraw was off the window counted as hidden: nothing that changed has painted.
    const UINT flags = RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN;
    if (whole_) RedrawWindow(window, nullptr, nullptr, flags | RDW_FRAME);
    else if (changed_) RedrawWindow(window, nullptr, changed_.get(), flags);
    changed_.reset();
    whole_ = false;
}

void finishActivePaintBatch() noexcept {
    if (activeBatch == nullptr) return;
    activeBatch->addWholeWindow();
    activeBatch->finish();
}

}  // namespace kv::ui::win32
