#pragma once
// Texts from the string table of a module (the executable, or the chosen language module),
// and the user's collation for sorted lists.
#include <windows.h>

#include <string>

#include "app/Texts.h"

namespace kv::ui::win32 {

class Win32Texts final : public ITexts {
public:
    explicit Win32Texts(HMODULE module = GetModuleHandleW(nullptr)) : module_(module) {}
    // The module's text of that number; the built-in German text when the module has none.
    std::wstring text(TextId id) const override;

private:
    HMODULE module_;
    BuiltinTexts builtin_;
};

// Compares as the user's locale sorts, ignoring case (<0, 0, >0); for MainformServices::collation.
int collateIgnoreCase(const std::wstring& a, const std::wstring& b);

}  // namespace kv::ui::win32
