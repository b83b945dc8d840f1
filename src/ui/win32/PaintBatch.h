#pragma once
// Holds the painting of a visible window while a burst of control updates runs (loading a
// category changes some forty controls, and several of them paint at once on every
// change), then invalidates the whole window once so that the message loop paints it in
// one pass. Only the outermost batch of the thread holds; a dialog that opens meanwhile
// (see noteModalLoop) or an explicit repaint ends it early so that nothing stays unpainted.
#include <windows.h>

namespace kv::ui::win32 {

class PaintBatch {
public:
    // A null or invisible window is left alone: turning redraw back on would show it.
    explicit PaintBatch(HWND window) noexcept;
    ~PaintBatch() { finish(); }
    PaintBatch(const PaintBatch&) = delete;
    PaintBatch& operator=(const PaintBatch&) = delete;

    bool holding() const noexcept { return window_ != nullptr; }
    // Turns redraw back on and invalidates the window with its children; idempotent.
    void finish() noexcept;

private:
    HWND window_ = nullptr;  // set while this batch holds the window's painting
};

// Ends the batch that holds painting on this thread, if there is one.
void finishActivePaintBatch() noexcept;

}  // namespace kv::ui::win32
