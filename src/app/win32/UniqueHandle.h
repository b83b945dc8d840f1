#pragma once
// Move-only owners of Windows handles: each frees its handle exactly once, with the free
// function of its kind (CloseHandle, DeleteObject, DestroyWindow, ...).
#include <windows.h>

#include <utility>

namespace kv {

// Traits: static void free(Handle); optionally static bool valid(Handle) where "no handle"
// is more than the null value.
template <typename Handle, typename Traits>
class UniqueResource {
public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    bool valid() const noexcept {
        if constexpr (requires(Handle h) { Traits::valid(h); }) return Traits::valid(handle_);
        else return handle_ != nullptr;
    }
    explicit operator bool() const noexcept { return valid(); }

    Handle release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) noexcept {
        if (valid()) Traits::free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

struct KernelHandleTraits {
    // Both null and INVALID_HANDLE_VALUE mean "no handle": the APIs use either for failure.
    static bool valid(HANDLE handle) noexcept { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void free(HANDLE handle) noexcept { CloseHandle(handle); }
};

using UniqueHandle = UniqueResource<HANDLE, KernelHandleTraits>;

}  // namespace kv
