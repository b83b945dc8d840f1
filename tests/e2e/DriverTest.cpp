// The driver's own building blocks: screenshots as PNG files, environment blocks, INI reading,
// paths, the start of a process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "kvdriver/Environment.h"
#include "kvdriver/IniSnapshot.h"
#include "kvdriver/ImageFiles.h"
#include "kvdriver/Screenshot.h"
#include "kvdriver/StartRetry.h"
#include "kvdriver/TempFolder.h"
#include "kvdriver/Text.h"

namespace kv::e2e {
namespace {

using namespace kvdriver;

// A top-down 32-bit DIB section whose pixel (x, y) is colourAt(x, y).
UniqueBitmap makeBitmap(int width, int height, COLORREF (*colourAt)(int, int)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return bitmap;
    auto* pixels = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colourAt(x, y);
            std::uint8_t* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
            p[3] = 0;  // an alpha of 0 must not make the picture transparent
        }
    return bitmap;
}

COLORREF gradient(int x, int y) { return RGB(40 * x + 3, 60 * y + 7, 200 - 17 * x - 23 * y); }

TEST(PngFile, KeepsEveryPixelOfTheBitmap) {
    const TempFolder folder(L"kv-png");
    const std::wstring path = folder / L"gradient.png";
    const UniqueBitmap bitmap = makeBitmap(5, 3, gradient);
    ASSERT_TRUE(bitmap);
    ASSERT_TRUE(writePng(bitmap.get(), path));

    const auto bytes = readFileBytes(path);
    ASSERT_TRUE(bytes.has_value());
    const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(bytes->size(), signature.size());
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), bytes->begin())) << "no PNG signature";

    const auto image = readImage(path);
    ASSERT_TRUE(image.has_value()) << "the file does not decode";
    EXPECT_TRUE(image->png);
    ASSERT_EQ(image->width, 5);
    ASSERT_EQ(image->height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(image->pixel(x, y), gradient(x, y)) << "pixel " << x << "," << y;
            EXPECT_EQ(image->bgra[(static_cast<size_t>(y) * 5 + x) * 4 + 3], 255) << "pixel " << x << "," << y;
        }
}

TEST(PngFile, FailsWithoutLeavingAFileWhereItCannotWrite) {
    const TempFolder folder(L"kv-png");
    const UniqueBitmap bitmap = makeBitmap(2, 2, gradient);
    EXPECT_FALSE(writePng(bitmap.get(), folder / L"no-such-folder\\x.png"));
    EXPECT_FALSE(writePng(nullptr, folder / L"none.png"));
    EXPECT_TRUE(folderEntries(folder.path()).empty());
    EXPECT_FALSE(readImage(folder / L"none.png").has_value());
}

// A borderless window of one colour, owned by the test thread.
constexpr COLORREF kWindowColour = RGB(200, 30, 60);

LRESULT CALLBACK plainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

kv::ui::win32::UniqueWindow makeColouredWindow(const kv::ui::win32::UniqueBrush& brush) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = plainWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = brush.get();
    cls.lpszClassName = L"KvDriverTestColour";
    RegisterClassW(&cls);
    return kv::ui::win32::UniqueWindow(CreateWindowExW(WS_EX_TOPMOST, cls.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                                                       120, 90, 64, 48, nullptr, nullptr, cls.hInstance, nullptr));
}

TEST(Screenshot, SavesWhatTheWindowShows) {
    const kv::ui::win32::UniqueBrush brush(CreateSolidBrush(kWindowColour));
    const auto window = makeColouredWindow(brush);
    ASSERT_TRUE(window);
    const TempFolder folder(L"kv-png");
    const std::wstring path = folder / L"window.png";
    ASSERT_TRUE(saveWindowPng(window.get(), path));

    const auto image = readImage(path);
    ASSERT_TRUE(image.has_value());
    EXPECT_TRUE(image->png);
    EXPECT_EQ(image->width, 64);
    EXPECT_EQ(image->height, 48);
    for (const POINT p : {POINT{1, 1}, POINT{32, 24}, POINT{62, 46}})
        EXPECT_EQ(image->pixel(p.x, p.y), kWindowColour) << "pixel " << p.x << "," << p.y;
    EXPECT_FALSE(saveWindowPng(nullptr, folder / L"none.png"));
}

TEST(EnvironmentBlock, KeepsSystemAndWineVariablesAndSetsOverrides) {
    const wchar_t block[] =
        L"=C:=C:\\\0Path=C:\\windows\0SystemRoot=C:\\windows\0TEMP=C:\\t\0WINEPREFIX=/p\0"
        L"APPDATA=C:\\old\0USERNAME=me\0DISPLAY=:24\0\0";
    const EnvironmentMap current = parseEnvironmentBlock(block);
    EXPECT_EQ(current.count(L"=C:"), 0u);
    EXPECT_EQ(current.at(L"PATH"), L"C:\\windows");  // names match without regard to case

    EnvironmentMap overrides;
    overrides[L"APPDATA"] = L"C:\\new";
    overrides[L"ALLUSERSPROFILE"] = L"C:\\all";
    const EnvironmentMap env = composeEnvironment(current, overrides);
    EXPECT_EQ(env.at(L"APPDATA"), L"C:\\new");
    EXPECT_EQ(env.at(L"ALLUSERSPROFILE"), L"C:\\all");
    EXPECT_EQ(env.at(L"SystemRoot"), L"C:\\windows");
    EXPECT_EQ(env.at(L"TEMP"), L"C:\\t");
    EXPECT_EQ(env.at(L"WINEPREFIX"), L"/p");
    EXPECT_EQ(env.at(L"DISPLAY"), L":24");
    EXPECT_EQ(env.count(L"USERNAME"), 0u);

    const auto bytes = toEnvironmentBlock(env);
    const std::wstring flat(bytes.begin(), bytes.end());
    EXPECT_EQ(flat.substr(flat.size() - 2), std::wstring(2, L'\0'));
    EXPECT_EQ(flat.find(L"ALLUSERSPROFILE=C:\\all"), 0u) << "block not sorted by name";
    EXPECT_EQ(parseEnvironmentBlock(bytes.data()), env);
}

// A start that fails inside Wine is attempted once more; any other failure, or a second
// one, is the result.
TEST(ProcessStart, RetriesOnlyAWineStartupFailureAndOnlyOnce) {
    struct Run {
        std::vector<DWORD> results;  // of the attempts, in turn
        int attempts = 0;
        int retries = 0;
        DWORD start() {
            const auto attempt = [this] { return results.at(static_cast<size_t>(attempts++)); };
            return startRetryingWineFailure(attempt, [this](DWORD) { ++retries; });
        }
    };
    Run recovers{{kWineStartupFailed, 0}};
    EXPECT_EQ(recovers.start(), 0u);
    EXPECT_EQ(recovers.retries, 1);
    Run failsTwice{{kWineStartupFailed, kWineStartupFailed, 0}};
    EXPECT_EQ(failsTwice.start(), kWineStartupFailed);
    EXPECT_EQ(failsTwice.attempts, 2);
    Run missingFile{{ERROR_FILE_NOT_FOUND, 0}};
    EXPECT_EQ(missingFile.start(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(missingFile.attempts, 1);
    Run starts{{0}};
    EXPECT_EQ(starts.start(), 0u);
    EXPECT_EQ(starts.retries, 0);
}

TEST(IniSnapshotReader, ReadsUtf16WithBomAndAnsi) {
    const std::wstring text = L"[Eins]\r\nText1=Grüße\r\n; note\r\n[KONFIG]\r\nSTYLENAME = Auric \r\nx=1\r\n";
    const IniSnapshot wide = IniSnapshot::parse(utf16LeWithBom(text));
    EXPECT_EQ(wide.encoding(), TextEncoding::Utf16Le);
    EXPECT_EQ(wide.sectionNames(), (std::vector<std::wstring>{L"Eins", L"KONFIG"}));
    EXPECT_EQ(wide.value(L"eins", L"TEXT1"), L"Grüße");
    EXPECT_EQ(wide.value(L"konfig", L"stylename"), L"Auric");
    EXPECT_EQ(wide.keys(L"KONFIG"), (std::vector<std::wstring>{L"STYLENAME", L"x"}));
    EXPECT_FALSE(wide.value(L"Eins", L"Jingle1").has_value());
    EXPECT_FALSE(wide.value(L"Zwei", L"Text1").has_value());

    const std::string ansi = "[A]\nk=v\n[B]\n";
    const IniSnapshot narrowIni = IniSnapshot::parse(std::vector<std::uint8_t>(ansi.begin(), ansi.end()));
    EXPECT_EQ(narrowIni.encoding(), TextEncoding::Ansi);
    EXPECT_EQ(narrowIni.value(L"A", L"k"), L"v");
    EXPECT_NE(narrowIni.section(L"B"), nullptr);
    EXPECT_TRUE(narrowIni.keys(L"B").empty());
}

TEST(WindowsPath, UnixPathsGetDriveZ) {
    EXPECT_EQ(toWindowsPath(L"/work/main/build/Kavinta.exe"), L"Z:\\work\\main\\build\\Kavinta.exe");
    EXPECT_EQ(toWindowsPath(L"C:/x/y.exe"), L"C:\\x\\y.exe");
    EXPECT_EQ(toWindowsPath(L"C:\\x"), L"C:\\x");
}

}  // namespace
}  // namespace kv::e2e
