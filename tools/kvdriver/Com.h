#pragma once
// Owners for COM: the program's interface-pointer owner, and the apartment of the calling
// thread for the length of one operation.
#include <objbase.h>

#include "app/win32/ComPtr.h"

namespace kvdriver {

using kv::ComPtr;

// COM on the calling thread for one scope. Nested scopes are counted by COM itself; a
// thread already in the multi-threaded apartment stays there and may use COM as it is.
class ComApartment {
public:
    ComApartment() noexcept : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool usable() const noexcept { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

}  // namespace kvdriver
