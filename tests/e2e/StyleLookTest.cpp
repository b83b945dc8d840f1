// The looks as the operator picks them: a style chosen in "Design:" and applied shows at
// once, reaches KV.ini with the next save and is back at the next start; and every one of
// the 40 looks, applied in one program run, photographed for the contact sheet
// (<artifacts>\looks\NN-<name>.png, scripts/contact-sheet.sh tiles them).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string_view>

#include "E2eFixture.h"
#include "kvdriver/ImageFiles.h"
#include "kvdriver/Screenshot.h"
#include "ui/StyleData.h"

namespace kv::e2e {
namespace {

using kv::ui::StyleData;
using kv::ui::StyleRole;

const std::wstring kSystemLook = L"Windows";
const std::wstring kSeparator = L"------------";

// The built-in styles as their source files describe them, by name.
std::map<std::wstring, StyleData> builtInStyles() {
    std::map<std::wstring, StyleData> styles;
    const std::wstring folder = toWindowsPath(fromUtf8(KV_E2E_STYLES));
    for (const std::wstring& entry : folderEntries(folder)) {
        if (entry.size() < 8 || entry.substr(entry.size() - 8) != L".kvstyle") continue;
        const auto bytes = readFileBytes(folder + L"\\" + entry);
        if (!bytes) continue;
        const std::string text(bytes->begin(), bytes->end());
        if (auto style = kv::ui::parseStyle(std::string_view(text))) styles.emplace(style->name, *style);
    }
    return styles;
}

COLORREF toColorRef(const kv::ui::StyleColour& c) { return RGB(c.r, c.g, c.b); }

// The screen DC, released on leaving the scope.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    COLORREF pixel(POINT p) const { return GetPixel(dc_, p.x, p.y); }

private:
    HDC dc_;
};

// A point of the client area, in screen pixels, where no control lies: there the window's
// own background shows.
std::optional<POINT> backgroundPoint(HWND main) {
    usePhysicalPixels();
    RECT client{};
    GetClientRect(main, &client);
    for (int y = 6; y < client.bottom - 6; y += 5) {
        for (int x = 6; x < client.right - 6; x += 5) {
            POINT p{x, y};
            if (ChildWindowFromPointEx(main, p, CWP_SKIPINVISIBLE) != main) continue;
            ClientToScreen(main, &p);
            return p;
        }
    }
    return std::nullopt;
}

// The pixels of a captured bitmap, rows top to bottom, 4 bytes each.
std::vector<std::uint8_t> pixelsOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight) * 4);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

struct Capture {
    UniqueBitmap bitmap;
    std::vector<std::uint8_t> pixels;
};

// The window once its painting has come to rest: two captures in a row are the same.
std::optional<Capture> settledCapture(HWND main) {
    std::optional<Capture> last;
    for (int attempt = 0; attempt < 20; ++attempt) {
        auto bitmap = captureWindow(main);
        if (!bitmap) return std::nullopt;
        std::vector<std::uint8_t> pixels = pixelsOf(bitmap->get());
        const bool same = last && last->pixels == pixels;
        last = Capture{std::move(*bitmap), std::move(pixels)};
        if (same) return last;
        Sleep(20);
    }
    ADD_FAILURE() << "the window did not come to rest";
    return last;
}

class StyleLook : public E2eTest {
protected:
    void SetUp() override { writeIni(L"[Musik]\r\nText1=Jingle A\r\nText2=Jingle B\r\n"); }

    // Picks the entry in "Design:" and presses "anwenden", as the operator does.
    static void apply(const KavintaWindow& window, const std::wstring& look) {
        const HWND combo = window.control(ids::cbStyle);
        const auto items = comboItems(combo);
        const auto found = std::find(items.begin(), items.end(), look);
        ASSERT_NE(found, items.end()) << narrow(look) << " is not in the list";
        userSelectComboItem(combo, static_cast<int>(found - items.begin()));
        window.click(ids::b_styleanwenden);
    }

    // Waits until the window's background shows the colour.
    static ::testing::AssertionResult waitBackground(const KavintaWindow& window, COLORREF colour) {
        const auto point = backgroundPoint(window.hwnd());
        if (!point) return ::testing::AssertionFailure() << "no background point";
        const ScreenDc screen;
        if (waitUntil([&] { return screen.pixel(*point) == colour; }, Millis{5000}))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "background 0x" << std::hex << screen.pixel(*point)
                                             << ", expected 0x" << colour;
    }

    // The colour the program draws its background with in the system look.
    static COLORREF systemBackground() { return GetSysColor(COLOR_BTNFACE); }
};

TEST_F(StyleLook, AppliedStyleIsSavedAndBackAtTheNextStart) {
    const auto styles = builtInStyles();
    ASSERT_EQ(styles.count(L"Carbon"), 1u);
    const COLORREF carbon = toColorRef(styles.at(L"Carbon").colour(StyleRole::Window));
    ASSERT_NE(carbon, systemBackground());

    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_TRUE(waitBackground(window, systemBackground())) << "the system look at the first start";
    apply(window, L"Carbon");
    EXPECT_TRUE(waitBackground(window, carbon)) << "the style shows as soon as it is applied";
    // Applying saves nothing by itself; the close does.
    EXPECT_EQ(readIni().value(L"KONFIG", L"STYLENAME"), std::nullopt);
    ASSERT_EQ(closeAndWait(window, process(0)), std::optional<DWORD>(0));
    EXPECT_EQ(readIni().value(L"KONFIG", L"STYLENAME"), L"Carbon");

    KavintaWindow again = startShown(standardData());
    ASSERT_NE(again.hwnd(), nullptr);
    EXPECT_EQ(comboSelectedText(again.control(ids::cbStyle)), L"Carbon");
    EXPECT_TRUE(waitBackground(again, carbon)) << "the saved style is active after the start";
    screenshot(again.hwnd());
    EXPECT_EQ(closeAndWait(again, process(1)), std::optional<DWORD>(0));
    EXPECT_EQ(readIni().value(L"KONFIG", L"STYLENAME"), L"Carbon");
}

TEST_F(StyleLook, EveryLookAppliedInTurnAndPhotographed) {
    const auto started = std::chrono::steady_clock::now();
    const auto styles = builtInStyles();
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    std::vector<std::wstring> looks;
    for (const std::wstring& item : comboItems(window.control(ids::cbStyle)))
        if (item != kSeparator) looks.push_back(item);
    ASSERT_EQ(looks.size(), 40u);
    ASSERT_EQ(looks.front(), kSystemLook);

    const std::wstring folder = artifactsFolder() + L"\\looks";
    createFolders(folder);
    for (const std::wstring& old : folderEntries(folder)) DeleteFileW((folder + L"\\" + old).c_str());

    std::optional<Capture> previous;
    const StyleData* previousStyle = nullptr;
    for (size_t n = 0; n < looks.size(); ++n) {
        const std::wstring& look = looks[n];
        const bool system = look == kSystemLook;
        const auto style = styles.find(look);
        ASSERT_TRUE(system || style != styles.end()) << narrow(look) << " has no style file";
        apply(window, look);
        const COLORREF background = system ? systemBackground() : toColorRef(style->second.colour(StyleRole::Window));
        EXPECT_TRUE(waitBackground(window, background)) << narrow(look);
        auto capture = settledCapture(window.hwnd());
        ASSERT_TRUE(capture.has_value()) << narrow(look);

        // A look whose colours differ from the one before must look different.
        const StyleData* current = system ? nullptr : &style->second;
        const bool coloursDiffer = !current || !previousStyle || current->colours != previousStyle->colours;
        if (previous && coloursDiffer) {
            EXPECT_NE(capture->pixels, previous->pixels) << narrow(look) << " looks like the one before";
        }

        wchar_t number[8] = {};
        swprintf(number, 8, L"%02zu", n + 1);
        const std::wstring file = folder + L"\\" + number + L"-" + look + L".png";
        EXPECT_TRUE(writePng(capture->bitmap.get(), file)) << narrow(file);
        previous = std::move(capture);
        previousStyle = current;
    }
    EXPECT_EQ(closeAndWait(window, process(0)), std::optional<DWORD>(0));
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("40 looks applied and photographed in %.1f s\n", seconds);
}

}  // namespace
}  // namespace kv::e2e
