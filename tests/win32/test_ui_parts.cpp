// The backend's building blocks: glyph pictures, bitmaps, fonts, the scale and timers.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ui/ControlIds.h"
#include "ui/controls/Timer.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/Glyphs.h"
#include "ui/win32/TimerBinding.h"
#include "ui/win32/UiScale.h"

namespace {

using namespace kv::ui;
using namespace kv::ui::win32;

int countOf(const GlyphImage& image, std::uint32_t colour) {
    int n = 0;
    for (std::uint32_t p : image.pixels) n += p == colour ? 1 : 0;
    return n;
}

TEST(GlyphTest, CompactToggleIsBlackArrowsUpAndDownOnLightGrey) {
    const GlyphImage g = compactToggleGlyph();
    ASSERT_EQ(g.width, 26);
    ASSERT_EQ(g.height, 10);
    EXPECT_EQ(countOf(g, kGlyphGrey) + countOf(g, kGlyphBlack), 260) << "two colours only";
    EXPECT_GT(countOf(g, kGlyphBlack), 20);
    EXPECT_EQ(g.at(0, 0), kGlyphGrey);
    // Left arrow points up: its narrow tip is above its wide base.
    auto blackInRow = [&](int x0, int x1, int y) {
        int n = 0;
        for (int x = x0; x < x1; ++x) n += g.at(x, y) == kGlyphBlack ? 1 : 0;
        return n;
    };
    EXPECT_EQ(blackInRow(0, 13, 2), 1);
    EXPECT_EQ(blackInRow(0, 13, 6), 9);
    // Right arrow points down: wide at the top, tip at the bottom.
    EXPECT_EQ(blackInRow(13, 26, 3), 9);
    EXPECT_EQ(blackInRow(13, 26, 7), 1);
}

TEST(GlyphTest, GermanFlagHasBlackRedGoldStripes) {
    const GlyphImage g = germanFlagGlyph();
    ASSERT_EQ(g.width, 30);
    ASSERT_EQ(g.height, 20);
    EXPECT_EQ(g.at(15, 2), rgb(0, 0, 0));
    EXPECT_EQ(g.at(15, 10), rgb(221, 0, 0));
    EXPECT_EQ(g.at(15, 17), rgb(255, 206, 0));
    EXPECT_EQ(g.at(0, 10), g.at(29, 10)) << "stripes run across";
}

TEST(GlyphTest, UsFlagHasStripesAndABlueFieldTopLeft) {
    const GlyphImage g = usFlagGlyph();
    ASSERT_EQ(g.width, 30);
    ASSERT_EQ(g.height, 20);
    EXPECT_EQ(g.at(0, 0), rgb(60, 59, 110));
    EXPECT_EQ(g.at(29, 0), rgb(178, 34, 52)) << "first stripe red";
    EXPECT_EQ(g.at(29, 19), rgb(178, 34, 52)) << "last stripe red";
    EXPECT_GT(countOf(g, rgb(255, 255, 255)), 100);
    EXPECT_NE(g.at(29, 0), g.at(29, 2)) << "stripes alternate";
}

TEST(GlyphTest, ResourceNumbersPickTheirPictures) {
    EXPECT_EQ(glyphForResource(ids::GlyphKleinGross).pixels, compactToggleGlyph().pixels);
    EXPECT_EQ(glyphForResource(ids::GlyphFlagDE).pixels, germanFlagGlyph().pixels);
    EXPECT_EQ(glyphForResource(ids::GlyphFlagEN).pixels, usFlagGlyph().pixels);
    EXPECT_TRUE(glyphForResource(0).empty());
}

TEST(GlyphTest, BitmapCarriesThePixels) {
    const GlyphImage g = germanFlagGlyph();
    UniqueBitmap bitmap = makeBitmap(g);
    ASSERT_TRUE(bitmap);
    BITMAP info{};
    GetObjectW(bitmap.get(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 30);
    EXPECT_EQ(info.bmHeight, 20);
    HDC screen = GetDC(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    SelectedObject selected(dc.get(), bitmap.get());
    EXPECT_EQ(GetPixel(dc.get(), 15, 10), RGB(221, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 15, 18), RGB(255, 206, 0));
    EXPECT_FALSE(makeBitmap(GlyphImage{}));
}

TEST(UiScaleTest, DesignPixelsScaleWithTheDpi) {
    const UiScale design;
    EXPECT_EQ(design.toWindow(403), 403);
    EXPECT_EQ(design.fontHeight(8), -11);
    const UiScale large(144);
    EXPECT_EQ(large.toWindow(100), 150);
    EXPECT_EQ(large.toDesign(150), 100);
    const RECT r = large.toWindow(Rect{10, 20, 30, 40});
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 90);
    EXPECT_EQ(large.fontHeight(8), -16);
}

TEST(FontCacheTest, SharesFontsAndMakesThemPerWeightAndSize) {
    UiScale scale;
    FontCache fonts(scale);
    HFONT normal = fonts.get(Font{8, false});
    EXPECT_EQ(fonts.get(Font{8, false, kNavy}), normal) << "the colour is not part of the font";
    HFONT bold = fonts.get(Font{8, true});
    EXPECT_NE(bold, normal);
    LOGFONTW lf{};
    GetObjectW(bold, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    GetObjectW(fonts.get(Font{12, true}), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(fonts.size(), 3u);
    scale = UiScale(144);
    fonts.get(Font{8, false});
    fonts.dropOtherScales();
    EXPECT_EQ(fonts.size(), 1u);
}

LRESULT CALLBACK tickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        auto* timer = reinterpret_cast<Timer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (timer && static_cast<int>(wParam) == timer->id()) timer->tick();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window that ticks the Timer model stored in its user data.
HWND timerWindow(Timer& timer) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = tickProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KvTimerTestWindow";
    RegisterClassW(&wc);  // fails harmlessly when the class exists
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&timer));
    return window;
}

// Serves the thread's messages for ms milliseconds.
void pumpFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    MSG msg;
    while (std::chrono::steady_clock::now() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

TEST(TimerBindingTest, RunsAWindowTimerWhileTheModelIsEnabled) {
    Timer timer(7, "t", 15, false);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    HWND window = timerWindow(timer);
    ASSERT_NE(window, nullptr);
    {
        TimerBinding binding(timer, window);
        EXPECT_FALSE(binding.running());
        timer.setEnabled(true);
        EXPECT_TRUE(binding.running());
        pumpFor(200);
        EXPECT_GE(ticks, 3);
        timer.setEnabled(false);
        EXPECT_FALSE(binding.running());
        const int stopped = ticks;
        pumpFor(80);
        EXPECT_EQ(ticks, stopped);
        timer.setEnabled(true);
    }
    // The binding is gone: its timer is killed and the model is detached.
    const int atEnd = ticks;
    pumpFor(80);
    EXPECT_EQ(ticks, atEnd);
    timer.setEnabled(false);  // no view any more: must not touch the window
    DestroyWindow(window);
}

}  // namespace
