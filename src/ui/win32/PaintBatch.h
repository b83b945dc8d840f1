#pragma once
// Holds the painting of a visible window while a burst of control updates runs (loading a
// category changes some forty controls, and several of them paint at once on every
// change), then has the window paint what changed in one pass. Text changes wait for the
// end, so that a text set twice (cleared, then loaded) reaches its window once. Only the
// outermost batch of the thread holds; a dialog that opens meanwhile (see ModalDialog)
// or an explicit repaint ends it early, and then the whole window is painted so that
// nothing stays unpainted.
#include <windows.h>

#include <vector>

#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

class Win32View;

class PaintBatch {
public:
    // A null or invisible window is left alone: turning redraw back on would show it.
    explicit PaintBatch(HWND window) noexcept;
    ~PaintBatch() { finish(); }
    PaintBatch(const PaintBatch&) = delete;
    PaintBatch& operator=(const PaintBatch&) = delete;

    bool holding() const noexcept { return window_ != nullptr; }
    // A child whose contents changed while the batch holds; it is painted at the end.
    void addChanged(HWND child) noexcept;
    // Something changed that the changed children do not describe (a control moved):
    // the whole window is painted at the end.
    void addWholeWindow() noexcept { whole_ = true; }
    // A view whose text changed: it shows its text when the batch ends.
    void deferText(Win32View& view) { pendingTexts_.push_back(&view); }
    // Shows the pending texts, turns redraw back on and invalidates what changed; idempotent.
    void finish() noexcept;

private:
    HWND window_ = nullptr;  // set while this batch holds the window's painting
    UniqueRegion changed_;   // in the window's client coordinates
    bool whole_ = false;
    std::vector<Win32View*> pendingTexts_;
};

// Ends the batch that holds painting on this thread, if there is one; the whole window is
// painted.
void finishActivePaintBatch() noexcept;

}  // namespace kv::ui::win32
