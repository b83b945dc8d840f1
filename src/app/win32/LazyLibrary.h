#pragma once
// A system DLL that is loaded on first use instead of at process start, and the functions
// taken from it. Move-only: it owns the module reference and frees it once.
#include <windows.h>

#include <utility>

namespace kv {

class LazyLibrary {
public:
    // Loads the DLL from the system folder only; an empty object when that fails.
    explicit LazyLibrary(const wchar_t* systemDllName) noexcept
        : module_(LoadLibraryExW(systemDllName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}
    ~LazyLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LazyLibrary(const LazyLibrary&) = delete;
    LazyLibrary& operator=(const LazyLibrary&) = delete;
    LazyLibrary(LazyLibrary&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    LazyLibrary& operator=(LazyLibrary&& other) noexcept {
        if (this != &other) {
            if (module_) FreeLibrary(module_);
            module_ = std::exchange(other.module_, nullptr);
        }
        return *this;
    }

    bool loaded() const noexcept { return module_ != nullptr; }

    // The exported function `name` as a pointer of type Function, or nullptr.
    template <typename Function>
    Function function(const char* name) const noexcept {
        if (!module_) return nullptr;
        // Through the generic function pointer type, which every function pointer converts to.
        using Generic = void (*)();
        return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

}  // namespace kv
