#include "ui/win32/LanguageModule.h"

#include "ui/localize_unit.h"

namespace kv::ui::win32 {

UniqueModule loadResourceModule(const std::wstring& path) {
    return UniqueModule(
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

UniqueModule loadLanguageModule(const IRegistry& registry, const std::wstring& exePath) {
    const std::optional<std::wstring> path = languageModulePath(registry, exePath);
    if (!path) return {};
    return loadResourceModule(*path);
}

}  // namespace kv::ui::win32
