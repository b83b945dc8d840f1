#pragma once
// Move-only owners of the GDI objects, windows and tables the backend creates.
#include <windows.h>

#include <utility>

namespace kv::ui::win32 {

// Owns one handle and frees it with Free exactly once.
template <typename Handle, typename Traits>
class UniqueGdi {
public:
    UniqueGdi() noexcept = default;
    explicit UniqueGdi(Handle handle) noexcept : handle_(handle) {}
    ~UniqueGdi() { reset(); }
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;
    UniqueGdi(UniqueGdi&& other) noexcept : handle_(other.release()) {}
    UniqueGdi& operator=(UniqueGdi&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    Handle release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) noexcept {
        if (handle_) Traits::free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

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

using UniqueFont = UniqueGdi<HFONT, GdiObjectTraits>;
using UniqueBitmap = UniqueGdi<HBITMAP, GdiObjectTraits>;
using UniqueBrush = UniqueGdi<HBRUSH, GdiObjectTraits>;
using UniqueMemoryDc = UniqueGdi<HDC, MemoryDcTraits>;
using UniqueWindow = UniqueGdi<HWND, WindowTraits>;
using UniqueAccelerators = UniqueGdi<HACCEL, AcceleratorTraits>;

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
