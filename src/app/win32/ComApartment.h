#pragma once
// COM started on the calling thread for the life of the object, in the model given. A thread
// that has COM already (in either model) keeps it as it is, and nothing is undone at the end.
#include <windows.h>
#include <objbase.h>

namespace kv {

class ComApartment {
public:
    explicit ComApartment(DWORD model) : initialised_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace kv
