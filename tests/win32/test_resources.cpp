// The executable's resources: the string table generated from the text list, the version
// information and the application manifest. This test executable carries the same resource
// script as Kavinta.exe.
#include <windows.h>
#include <commctrl.h>
#include <cwctype>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "kv_version.h"  // generated from the project version

namespace {

struct TextEntry {
    int number;
    std::wstring_view text;
};

// The same list the portable code compiles in, read by the C++ compiler here and by the
// resource generator for the string table.
const TextEntry kTexts[] = {
#define KV_TEXT(number, name, text) {number, text},
#include "app/texts_de.inc"
#undef KV_TEXT
};

// The string-table entry exactly as stored: with a zero buffer size LoadStringW hands out a
// pointer into the resource and the length, so no truncation or terminator hides a fault.
std::wstring loadString(UINT id) {
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return {};
    return std::wstring(text, static_cast<size_t>(length));
}

std::wstring ownPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<unsigned char> ownVersionBlock() {
    const std::wstring path = ownPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
    return block;
}

std::string manifestText() {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(self, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    return std::string(static_cast<const char*>(data), SizeofResource(self, found));
}

}  // namespace

TEST(StringTable, HoldsTheGermanTextsWithQuotesAndUmlauts) {
    EXPECT_EQ(loadString(65142), L"Anwendung \"%s\" l\u00e4uft bereits!");
    EXPECT_EQ(loadString(65123), L"Jingle \u00e4ndern");
    EXPECT_EQ(loadString(65130), L"unbelegt");
    EXPECT_EQ(loadString(65147),
              L"M\u00f6glicherweise f\u00fchren Sie das Programm von einem "
              L"schreibgesch\u00fctzten Laufwerk oder doppelt aus!");
}

TEST(StringTable, MatchesEveryEntryOfTheTextList) {
    ASSERT_GT(std::size(kTexts), 20u);
    for (const TextEntry& entry : kTexts) {
        EXPECT_EQ(loadString(static_cast<UINT>(entry.number)), entry.text)
            << "text number " << entry.number;
    }
}

TEST(StringTable, HasNoEntryForAnUnusedNumber) {
    EXPECT_EQ(loadString(65133), L"");
    EXPECT_EQ(loadString(1), L"");
}

// The project version (CMakeLists.txt), as the build hands it to the resource script.
constexpr unsigned kProjectVersion[4] = {KV_VERSION_NUMBERS};

TEST(VersionResource, FileVersionIsTheProjectVersion) {
    const std::vector<unsigned char> block = ownVersionBlock();
    ASSERT_FALSE(block.empty()) << "no version resource, error " << GetLastError();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), kProjectVersion[0]);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), kProjectVersion[1]);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), kProjectVersion[2]);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), kProjectVersion[3]);
}

TEST(VersionResource, NamesTheProductInTheGermanUnicodeBlock) {
    const std::vector<unsigned char> block = ownVersionBlock();
    ASSERT_FALSE(block.empty());
    wchar_t* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040704B0\\ProductName",
                               reinterpret_cast<void**>(&value), &length));
    EXPECT_EQ(std::wstring(value), L"Kavinta");
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040704B0\\FileVersion",
                               reinterpret_cast<void**>(&value), &length));
    EXPECT_EQ(std::wstring(value), L"" KV_VERSION_TEXT);
}

TEST(Manifest, DeclaresDpiAwarenessCommonControlsAndExecutionLevel) {
    const std::string manifest = manifestText();
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
    EXPECT_NE(manifest.find(">PerMonitorV2</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

TEST(Manifest, NamesTheProgramWithTheProjectVersion) {
    const std::string manifest = manifestText();
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
    EXPECT_NE(manifest.find("name=\"Kavinta\" version=\"" KV_VERSION_TEXT "\""), std::string::npos)
        << manifest.substr(0, 300);
}

TEST(Manifest, BindsTheSideBySideVersionSixOfTheCommonControls) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&init));
    // The module that serves the imported function: with the manifest's dependency it is the
    // version 6 assembly from the side-by-side store, not the version 5 DLL in system32.
    // (DllGetVersion is no proof: Wine's version 6 module reports 5.)
    HMODULE comctl = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&InitCommonControlsEx)), &comctl));
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(comctl, path, MAX_PATH), 0u);
    std::wstring lower(path);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(lower.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::wstring::npos)
        << "comctl32 loaded from " << path;
}
