#pragma once
// Whether the driver runs under Wine: for the few paths where Wine's controls are known to
// behave unlike Windows' own, so that a test can say so instead of failing or pretending.
#include <windows.h>

namespace kvdriver {

inline bool runsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace kvdriver
