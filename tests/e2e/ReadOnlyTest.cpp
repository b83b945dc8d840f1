// A read-only KV.ini: a failed save warns once with the two-line message, the file stays
// as it was, and the window still closes.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

class ReadOnlyIni : public E2eTest {
protected:
    void SetUp() override {
        writeIni(L"[Musik]\r\nText1=Jingle A\r\n[KONFIG]\r\nSTYLENAME=Windows\r\n");
        ASSERT_TRUE(setReadOnly(iniPath(), true));
        original_ = readFileBytes(iniPath());
    }

    // Answers every message box of the process with OK until none comes for a while;
    // returns the boxes seen, in order.
    std::vector<MessageBoxInfo> answerBoxes(DWORD pid, Millis firstTimeout) {
        std::vector<MessageBoxInfo> seen;
        Millis timeout = firstTimeout;
        while (auto box = waitMessageBox(pid, timeout)) {
            seen.push_back(*box);
            EXPECT_TRUE(pressButton(*box, BoxButton::Ok)) << "box without OK: " << narrow(box->text);
            EXPECT_TRUE(waitBoxClosed(*box, Millis{3000}));
            if (seen.size() > 4) break;
            timeout = Millis{1500};
        }
        return seen;
    }

    // The warning, and no other box: the placement is part of the same save.
    void expectSaveWarnings(const std::vector<MessageBoxInfo>& boxes, HWND main) {
        ASSERT_FALSE(boxes.empty()) << "no warning";
        EXPECT_EQ(boxes[0].text, kSaveFailed);
        EXPECT_EQ(boxes[0].owner, main);
        EXPECT_TRUE(boxes[0].hasOk);
        EXPECT_EQ(boxes.size(), 1u) << "one box for the failed save";
    }

    std::optional<std::vector<std::uint8_t>> original_;
};

TEST_F(ReadOnlyIni, OptionClickWarnsAndKeepsFile) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    window.click(ids::auto_fo_vor);
    const auto box = waitMessageBox(process().pid(), kBoxTimeout);
    ASSERT_TRUE(box.has_value()) << "no warning after the option click";
    screenshot(window.hwnd());
    screenshot(box->hwnd, L"-box");
    std::vector<MessageBoxInfo> boxes{*box};
    ASSERT_TRUE(pressButton(*box, BoxButton::Ok));
    ASSERT_TRUE(waitBoxClosed(*box, Millis{3000}));
    for (const auto& more : answerBoxes(process().pid(), Millis{1500})) boxes.push_back(more);
    expectSaveWarnings(boxes, window.hwnd());

    EXPECT_TRUE(window.checked(ids::auto_fo_vor)) << "the control lost its value";
    EXPECT_EQ(readFileBytes(iniPath()), original_);
    window.close();
    answerBoxes(process().pid(), Millis{3000});
    EXPECT_EQ(process().waitExit(kExitTimeout), std::optional<DWORD>(0));
}

TEST_F(ReadOnlyIni, CloseWarnsAndStillEnds) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    screenshot(window.hwnd());
    window.close();
    const auto boxes = answerBoxes(process().pid(), kBoxTimeout);
    expectSaveWarnings(boxes, window.hwnd());
    EXPECT_EQ(process().waitExit(kExitTimeout), std::optional<DWORD>(0));
    EXPECT_EQ(readFileBytes(iniPath()), original_);
}

}  // namespace
}  // namespace kv::e2e
