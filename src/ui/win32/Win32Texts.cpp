#include "ui/win32/Win32Texts.h"

#include "ui/controls/ComboBox.h"

namespace kv::ui::win32 {

std::wstring Win32Texts::text(TextId id) const {
    const wchar_t* stored = nullptr;
    // With a zero buffer size the function hands out a pointer into the resource itself.
    const int length = LoadStringW(module_, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&stored), 0);
    if (length <= 0 || stored == nullptr) return builtin_.text(id);
    return std::wstring(stored, static_cast<size_t>(length));
}

int collateIgnoreCase(const std::wstring& a, const std::wstring& b) {
    const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(),
                                       static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                       nullptr, nullptr, 0);
    // The system could not compare: plain case-insensitive order.
    if (result == 0) return compareTextIgnoreCase(a, b);
    return result - CSTR_EQUAL;  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3
}

}  // namespace kv::ui::win32
