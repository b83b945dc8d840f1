// The program file itself: which system libraries the loader binds before the program's
// first line runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <string>
#include <vector>

#include "E2eFixture.h"

namespace kv::e2e {
namespace {

// The names of the DLLs in the ordinary import table (not the delay-load one), lower case.
std::vector<std::string> boundAtStart(const std::wstring& exe) {
    std::vector<std::string> names;
    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!image) {
        ADD_FAILURE() << "cannot map the program, error " << GetLastError();
        return names;
    }
    // An image resource handle carries flags in its low bits; the mapping lies in image layout.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         directory.VirtualAddress != 0 && entry->Name != 0; ++entry) {
        std::string name(reinterpret_cast<const char*>(base + entry->Name));
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(name);
    }
    FreeLibrary(image);
    return names;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(ProgramImage, CommonControlsAndThemesAreLoadedOnFirstUseNotAtStart) {
    const std::vector<std::string> names = boundAtStart(programPath());
    ASSERT_TRUE(contains(names, "user32.dll")) << "the import table was read";
    EXPECT_FALSE(contains(names, "comctl32.dll"))
        << "loading the common controls before the main window delays its start timer";
    EXPECT_FALSE(contains(names, "uxtheme.dll"));
}

}  // namespace
}  // namespace kv::e2e
