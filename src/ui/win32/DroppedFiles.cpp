#include "ui/win32/DroppedFiles.h"

namespace kv::ui::win32 {

std::vector<std::wstring> DroppedFiles::paths() const {
    std::vector<std::wstring> all;
    if (!drop_) return all;
    const UINT count = DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop_, i, nullptr, 0);
        if (length == 0) continue;
        std::wstring path(length + 1, L'\0');
        const UINT copied = DragQueryFileW(drop_, i, path.data(), length + 1);
        path.resize(copied);
        all.push_back(std::move(path));
    }
    return all;
}

// A drop on the frame or caption lies outside the client area: no place of a control.
POINT DroppedFiles::point() const {
    POINT at{-1, -1};
    if (!drop_ || !DragQueryPoint(drop_, &at)) return POINT{-1, -1};
    return at;
}

}  // namespace kv::ui::win32
