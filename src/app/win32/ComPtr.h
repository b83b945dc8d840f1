#pragma once
// Move-only owners of a COM interface pointer and of a string that COM allocated.
#include <objbase.h>

#include <utility>

namespace kv {

template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // For a call that hands out a new reference: releases the old one first.
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }
    void reset() noexcept {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

// A string returned by COM, freed with CoTaskMemFree.
class CoTaskString {
public:
    CoTaskString() noexcept = default;
    ~CoTaskString() { CoTaskMemFree(p_); }
    CoTaskString(const CoTaskString&) = delete;
    CoTaskString& operator=(const CoTaskString&) = delete;

    LPWSTR* put() noexcept {
        CoTaskMemFree(std::exchange(p_, nullptr));
        return &p_;
    }
    const wchar_t* get() const noexcept { return p_ ? p_ : L""; }

private:
    LPWSTR p_ = nullptr;
};

}  // namespace kv
