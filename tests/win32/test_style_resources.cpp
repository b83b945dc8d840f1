// The built-in styles travel as KVSTYLE resources in the executable (this test executable
// carries the same resource script as Kavinta.exe), and the look they give the window
// leaves the system's colours to high contrast.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/StyleEngine.h"
#include "ui/styleutil_unit.h"
#include "ui/win32/StyleLook.h"

using namespace kv::ui;

TEST(StyleResources, EveryBuiltinStyleLoadsFromTheExecutable) {
    StyleEngine engine(win32::systemButtonTextColor);
    EXPECT_EQ(win32::loadBuiltinStyles(engine, GetModuleHandleW(nullptr)), 39);
    EXPECT_EQ(StyleNameList(engine.names()), StyleNameList());
    for (const std::wstring& name : BuiltinStyleNames()) EXPECT_TRUE(engine.switchTo(name)) << name.c_str();
}

TEST(StyleResources, LookFollowsTheActiveStyleAndHighContrastWins) {
    StyleEngine engine(win32::systemButtonTextColor);
    ASSERT_GT(win32::loadBuiltinStyles(engine, GetModuleHandleW(nullptr)), 0);
    bool highContrast = false;
    win32::HighContrast contrast;
    contrast.setQuery([&highContrast] { return highContrast; });
    win32::StyleLook look(contrast);
    look.setEngine(&engine);
    EXPECT_EQ(look.style(), nullptr);
    EXPECT_EQ(look.windowBrush(), GetSysColorBrush(COLOR_BTNFACE));

    ASSERT_TRUE(engine.switchTo(L"Carbon"));
    look.refresh();
    ASSERT_NE(look.style(), nullptr);
    const StyleColour& window = engine.active()->colour(StyleRole::Window);
    EXPECT_EQ(look.colour(StyleRole::Window), RGB(window.r, window.g, window.b));
    EXPECT_NE(look.windowBrush(), GetSysColorBrush(COLOR_BTNFACE));

    highContrast = true;
    contrast.refresh();
    EXPECT_EQ(look.style(), nullptr);
    EXPECT_EQ(look.windowBrush(), GetSysColorBrush(COLOR_BTNFACE));
}
