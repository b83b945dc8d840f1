// The window on a 150 % screen (144 PPI, the prefix's LogPixels): with the scaling option
// on it is rescaled once at start, the compact toggle works in its scaled pixels, and the
// placement is saved with the scaled size pair and the design PPI; with the option off it
// keeps its 96-PPI pixels. scripts/e2e-displays.sh runs these cases in a prefix of their own.
#include "DisplayPhase.h"

namespace kv::e2e {
namespace {

constexpr int kDesignWidth = 403;
constexpr int kDesignHeight = 471;
constexpr int kDesignCompactHeight = 141;
const std::wstring kSection = L"FORM_Kavintamainform";

SIZE clientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

SIZE outerSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

int at144(int designPixels) { return MulDiv(designPixels, 144, 96); }

class At144Ppi : public DisplayPhase {
protected:
    void SetUp() override {
        DisplayPhase::SetUp();
        if (IsSkipped()) return;
        usePhysicalPixels();
        ASSERT_EQ(GetDpiForSystem(), 144u) << "this case needs a prefix with LogPixels 144";
    }

    // Presses the compact toggle and waits for the client height; false when it does not come.
    ::testing::AssertionResult toggleTo(const KavintaWindow& window, int clientHeight) {
        window.click(ids::fensterkleingross);
        if (waitUntil([&] { return clientSize(window.hwnd()).cy == clientHeight; }, Millis{3000}))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "client height " << clientSize(window.hwnd()).cy << ", expected "
                                             << clientHeight;
    }
};

TEST_F(At144Ppi, ScaledWindowGrowsOnceTogglesAndSavesTheDesignPpi) {
    writeIni(L"[Musik]\r\nText1=Jingle A\r\n[KONFIG]\r\nfensterskalieren=1\r\n");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    // Its 96-PPI layout times 1.5, once: not again after the start.
    EXPECT_EQ(clientSize(window.hwnd()).cx, at144(kDesignWidth));
    EXPECT_EQ(clientSize(window.hwnd()).cy, at144(kDesignHeight));
    const SIZE started = outerSize(window.hwnd());
    Sleep(300);
    EXPECT_EQ(outerSize(window.hwnd()).cx, started.cx);
    EXPECT_EQ(outerSize(window.hwnd()).cy, started.cy);
    // The controls grew with it: a slot button is 63 x 26 in the design.
    RECT slot{};
    GetClientRect(window.control(ids::J1), &slot);
    EXPECT_EQ(slot.right, at144(63));
    EXPECT_EQ(slot.bottom, at144(26));
    screenshot(window.hwnd(), L"-full");

    EXPECT_TRUE(toggleTo(window, at144(kDesignCompactHeight)));
    screenshot(window.hwnd(), L"-compact");
    EXPECT_TRUE(toggleTo(window, at144(kDesignHeight))) << "the second press restores the full height";
    EXPECT_EQ(outerSize(window.hwnd()).cy, started.cy);
    EXPECT_EQ(closeAndWait(window, process(0)), std::optional<DWORD>(0));

    const IniSnapshot saved = readIni();
    EXPECT_EQ(saved.keys(kSection), (std::vector<std::wstring>{L"WINDOWSTATE", L"MONITOR", L"TOP", L"LEFT",
                                                               L"HEIGHT_SCALED", L"WIDTH_SCALED", L"DPI", L"SCALED"}));
    EXPECT_EQ(saved.value(kSection, L"HEIGHT_SCALED"), std::to_wstring(started.cy));
    EXPECT_EQ(saved.value(kSection, L"WIDTH_SCALED"), std::to_wstring(started.cx));
    EXPECT_EQ(saved.value(kSection, L"DPI"), L"96");
    EXPECT_EQ(saved.value(kSection, L"SCALED"), L"1");

    // The next start opens at the same scaled size again.
    KavintaWindow again = startShown(standardData());
    ASSERT_NE(again.hwnd(), nullptr);
    EXPECT_EQ(outerSize(again.hwnd()).cx, started.cx);
    EXPECT_EQ(outerSize(again.hwnd()).cy, started.cy);
    EXPECT_EQ(closeAndWait(again, process(1)), std::optional<DWORD>(0));
}

TEST_F(At144Ppi, UnscaledWindowKeepsItsPixelsAndSavesTheSystemPpi) {
    writeIni(L"[Musik]\r\nText1=Jingle A\r\n[KONFIG]\r\nfensterskalieren=0\r\n");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_EQ(clientSize(window.hwnd()).cx, kDesignWidth);
    EXPECT_EQ(clientSize(window.hwnd()).cy, kDesignHeight);
    const SIZE started = outerSize(window.hwnd());
    screenshot(window.hwnd());
    EXPECT_TRUE(toggleTo(window, kDesignCompactHeight));
    EXPECT_TRUE(toggleTo(window, kDesignHeight));
    EXPECT_EQ(closeAndWait(window, process(0)), std::optional<DWORD>(0));

    const IniSnapshot saved = readIni();
    EXPECT_EQ(saved.keys(kSection), (std::vector<std::wstring>{L"WINDOWSTATE", L"MONITOR", L"TOP", L"LEFT", L"HEIGHT",
                                                               L"WIDTH", L"DPI", L"SCALED"}));
    EXPECT_EQ(saved.value(kSection, L"HEIGHT"), std::to_wstring(started.cy));
    EXPECT_EQ(saved.value(kSection, L"WIDTH"), std::to_wstring(started.cx));
    EXPECT_EQ(saved.value(kSection, L"DPI"), L"144");
    EXPECT_EQ(saved.value(kSection, L"SCALED"), L"0");
}

}  // namespace
}  // namespace kv::e2e
