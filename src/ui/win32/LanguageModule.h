#pragma once
// The language module chosen for this program file: a resource-only DLL loaded as data, whose
// string table supplies the interface texts.
#include <windows.h>

#include <string>

#include "app/Registry.h"
#include "app/win32/UniqueHandle.h"

namespace kv::ui::win32 {

struct ModuleTraits {
    static void free(HMODULE module) noexcept { FreeLibrary(module); }
};
using UniqueModule = UniqueResource<HMODULE, ModuleTraits>;

// Loads the file at path as data (no code of it runs); empty when it is missing or no module.
UniqueModule loadResourceModule(const std::wstring& path);

// The language module the registry chooses for the executable at exePath; empty when German
// (built in) is chosen, nothing is chosen, or the chosen module file is missing.
UniqueModule loadLanguageModule(const IRegistry& registry, const std::wstring& exePath);

}  // namespace kv::ui::win32
