// The compact toggle and the info box.
#include "FormFixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using WindowOptions = FormFixture;

TEST_F(WindowOptions, CompactToggleGoesTo141AndBackTo471) {
    auto& f = start();
    f.fensterkleingross.click();
    EXPECT_EQ(host.clientHeightValue, 141);
    f.fensterkleingross.click();
    EXPECT_EQ(host.clientHeightValue, 471);
}

// At 144 PPI the compact window is 141 design pixels (211 window pixels) plus its frame:
// above 200 outer pixels, yet compact.
TEST_F(WindowOptions, CompactToggleRestoresTheFullHeightAtAnyScaling) {
    host.ppi = 144;
    auto& f = start();
    f.fensterkleingross.click();
    EXPECT_EQ(host.clientHeightValue, 141);
    ASSERT_GT(host.outerHeight(), ui::TKavintamainform::kCompactThreshold);
    f.fensterkleingross.click();
    EXPECT_EQ(host.clientHeightValue, 471) << "a second press restores the full height";
}

TEST_F(WindowOptions, InfoBoxShowsTheCaptionThenTheAuthorNoticeWithLfCrBreaks) {
    auto& f = start();
    f.B_info.click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].type, MessageType::Information);
    const std::wstring& shown = dialogs.messages[0].text;
    EXPECT_EQ(shown, host.caption + L"\n\r\n\r" + text(TextId::AutorName) + L"\n\r" + text(TextId::AutorWeb) + L"\n\r" +
                         text(TextId::AutorMail));
    EXPECT_NE(shown.find(L" 64Bit"), std::wstring::npos);
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == L'\r') {
            EXPECT_TRUE(i > 0 && shown[i - 1] == L'\n') << "every break is LF CR, line feed first";
        }
        if (shown[i] == L'\n') {
            EXPECT_TRUE(i + 1 < shown.size() && shown[i + 1] == L'\r');
        }
    }
}

}  // namespace
