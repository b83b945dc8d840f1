// The window comes back where the operator left it; the compact toggle and back.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

class WindowPlacement : public E2eTest {
protected:
    void SetUp() override { writeIni(L"[Musik]\r\nText1=Jingle A\r\n"); }
    static RECT outer(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    static int clientHeight(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        return r.bottom;
    }
};

TEST_F(WindowPlacement, PositionComesBackAtTheNextStart) {
    {
        KavintaWindow window = startShown(standardData());
        ASSERT_NE(window.hwnd(), nullptr);
        SetWindowPos(window.hwnd(), nullptr, 180, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(waitUntil([&] { return outer(window.hwnd()).left == 180; }, Millis{3000}));
        EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
    }
    // Scaling is on by default: the scaled size pair, the design PPI.
    const IniSnapshot saved = readIni();
    EXPECT_EQ(saved.keys(L"FORM_Kavintamainform"),
              (std::vector<std::wstring>{L"WINDOWSTATE", L"MONITOR", L"TOP", L"LEFT", L"HEIGHT_SCALED", L"WIDTH_SCALED",
                                         L"DPI", L"SCALED"}));
    EXPECT_EQ(saved.value(L"FORM_Kavintamainform", L"DPI"), L"96");
    EXPECT_EQ(saved.value(L"FORM_Kavintamainform", L"SCALED"), L"1");
    EXPECT_EQ(saved.value(L"FORM_Kavintamainform", L"LEFT"), L"180");
    EXPECT_EQ(saved.value(L"FORM_Kavintamainform", L"TOP"), L"140");
    EXPECT_EQ(saved.value(L"FORM_Kavintamainform", L"WINDOWSTATE"), L"0");

    KavintaWindow again = startShown(standardData());
    ASSERT_NE(again.hwnd(), nullptr);
    const RECT r = outer(again.hwnd());
    EXPECT_EQ(r.left, 180);
    EXPECT_EQ(r.top, 140);
    EXPECT_EQ(clientHeight(again.hwnd()), 471);
    screenshot(again.hwnd());
    EXPECT_EQ(closeAndWait(again, process(1)), std::optional<DWORD>(0));
}

TEST_F(WindowPlacement, CompactToggleAndBack) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    window.click(ids::fensterkleingross);
    EXPECT_TRUE(waitUntil([&] { return clientHeight(window.hwnd()) == 141; }, Millis{3000}))
        << "client height " << clientHeight(window.hwnd());
    screenshot(window.hwnd(), L"-compact");
    window.click(ids::fensterkleingross);
    EXPECT_TRUE(waitUntil([&] { return clientHeight(window.hwnd()) == 471; }, Millis{3000}))
        << "client height " << clientHeight(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
