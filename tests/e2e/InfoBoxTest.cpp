// "Info": the window's caption as set at start, then the author notice in three lines, every
// line break the two characters LF CR, in an information box owned by the window.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

class InfoBox : public E2eTest {
protected:
    void SetUp() override { writeIni(L"[Musik]\r\nText1=Jingle A\r\n"); }
};

TEST_F(InfoBox, ShowsTheCaptionThenTheAuthorNotice) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const std::wstring caption = window.caption();
    EXPECT_EQ(caption.rfind(L"Kavinta v", 0), 0u) << narrow(caption);
    EXPECT_NE(caption.find(L" 64Bit"), std::wstring::npos) << narrow(caption);

    window.click(ids::B_info);
    const auto box = waitMessageBox(process().pid(), kBoxTimeout);
    ASSERT_TRUE(box.has_value()) << "no info box";
    screenshot(box->hwnd, L"-box");
    EXPECT_EQ(box->text, caption + L"\n\r\n\rKavinta-Projekt\n\rhttps://kavinta.example\n\rinfo@kavinta.example");
    EXPECT_EQ(box->owner, window.hwnd());
    EXPECT_TRUE(box->hasOk);
    EXPECT_FALSE(box->hasYes || box->hasNo);
    ASSERT_TRUE(pressButton(*box, BoxButton::Ok));
    EXPECT_TRUE(waitBoxClosed(*box, kBoxTimeout));
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
