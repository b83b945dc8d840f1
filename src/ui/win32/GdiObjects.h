#pragma once
// Move-only owners of the GDI objects, windows and tables the backend creates.
#include <windows.h>

#include <utility>

#include "app/win32/UniqueHandle.h"

namespace kv::ui::win32 {

struct GdiObjectTraits {
    static void free(HGDIOBJ object) noexcept { DeleteObject(object); }
};
struct MemoryDcTraits {
    static void free(HDC dc) noexcept { DeleteDC(dc); }
};
struct WindowTraits {
    static void free(HWND window) noexcept {
        if (IsWindow(window)) DestroyWindow(window);
    }
};
struct AcceleratorTraits {
    static void free(HACCEL table) noexcept { DestroyAcceleratorTable(table); }
};

using UniqueFont = kv::UniqueResource<HFONT, GdiObjectTraits>;
using UniqueBitmap = kv::UniqueResource<HBITMAP, GdiObjectTraits>;
using UniqueRegion = kv::UniqueResource<HRGN, GdiObjectTraits>;
using UniqueBrush = kv::UniqueResource<HBRUSH, GdiObjectTraits>;
using UniquePen = kv::UniqueResource<HPEN, GdiObjectTraits>;
using UniqueMemoryDc = kv::UniqueResource<HDC, MemoryDcTraits>;
using UniqueWindow = kv::UniqueResource<HWND, WindowTraits>;
using UniqueAccelerators = kv::UniqueResource<HACCEL, AcceleratorTraits>;

// Selects an object into a DC for one scope and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace kv::ui::win32
