#pragma once
// The files of one WM_DROPFILES: their paths and the drop point are read out, and the drop
// handle is finished (DragFinish) when the owner ends, on every way out.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace kv::ui::win32 {

class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) noexcept : drop_(drop) {}
    ~DroppedFiles() {
        if (drop_) DragFinish(drop_);
    }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;
    DroppedFiles(DroppedFiles&& other) noexcept : drop_(other.drop_) { other.drop_ = nullptr; }
    DroppedFiles& operator=(DroppedFiles&&) = delete;

    // Full paths in the order the source gave them.
    std::vector<std::wstring> paths() const;
    // Where the files were dropped, in client coordinates of the window that took them;
    // (-1, -1) for a drop outside its client area.
    POINT point() const;

private:
    HDROP drop_;
};

}  // namespace kv::ui::win32
