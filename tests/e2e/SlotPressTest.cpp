// A slot whose file is missing: pressing it reports the error in the status bar.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

class SlotPress : public E2eTest {
protected:
    void SetUp() override {
        writeIni(L"[Musik]\r\nText1=Fehlt\r\nJingle1=" + (root() / L"nicht-da.wav") +
                 L"\r\nzentrixfadeoutin=0\r\n");
    }
};

TEST_F(SlotPress, MissingFileIsReportedInStatusBar) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND status = window.control(ids::StatusBarMain);
    ASSERT_NE(statusBarText(status, 0), L"Fehler : Datei nicht gefunden");

    window.click(ids::J1);
    std::wstring shown;
    EXPECT_TRUE(waitUntil([&] {
        shown = statusBarText(status, 0);
        return shown == L"Fehler : Datei nicht gefunden";
    }, Millis{3000})) << "status bar shows \"" << narrow(shown) << "\"";
    EXPECT_EQ(windowText(status), shown) << "WM_GETTEXT and SB_GETTEXT disagree";
    // After the end-of-jingle actions the category is shown again with its text.
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(1) == L"Fehlt"; }, Millis{3000}));
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
