#include "ui/win32/WindowClass.h"

namespace kv::ui::win32 {

void registerWindowClassOnce(WNDCLASSEXW wc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return;
    wc.cbSize = sizeof(wc);
    if (!wc.hCursor) wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassExW(&wc);
}

}  // namespace kv::ui::win32
