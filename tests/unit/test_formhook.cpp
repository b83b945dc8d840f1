// The class-wide scaling switch of every form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/formhook_unit.h"

using kv::ui::TFormHook;

namespace {

class FakeScalable final : public kv::ui::IScalableForm {
public:
    explicit FakeScalable(int monitor) : monitor_(monitor) {}
    bool scaled = false;
    int current = 96;  // the PPI its layout is sized for
    int rescales = 0;
    void setScaled(bool on) override { scaled = on; }
    int referencePpi() const override { return scaled ? 96 : 120; }
    int monitorPpi() const override { return monitor_; }
    void scaleForCurrentDpi() override {
        current = monitor_;
        ++rescales;
    }

private:
    int monitor_;
};

class FormHook : public ::testing::Test {
protected:
    FormHook() { TFormHook::SetFormScaleable(false); }
    ~FormHook() override { TFormHook::SetFormScaleable(false); }
};

TEST_F(FormHook, SwitchIsOffAtFirstAndFormsCreatedThenStayUnscaled) {
    FakeScalable window(144);
    TFormHook hook(window);
    EXPECT_FALSE(TFormHook::GetFormScaleable());
    EXPECT_FALSE(window.scaled);
    EXPECT_EQ(window.rescales, 0);
}

TEST_F(FormHook, SwitchingOnScalesExistingFormsWhoseMonitorDiffers) {
    FakeScalable on144(144), on96(96);
    TFormHook a(on144), b(on96);
    TFormHook::SetFormScaleable(true);
    EXPECT_TRUE(TFormHook::GetFormScaleable());
    EXPECT_TRUE(on144.scaled);
    EXPECT_EQ(on144.rescales, 1);
    EXPECT_EQ(on144.current, 144);
    EXPECT_TRUE(on96.scaled);
    EXPECT_EQ(on96.rescales, 0) << "nothing is rescaled at 96 PPI";
}

TEST_F(FormHook, FormCreatedWhileOnIsScaledAtOnce) {
    TFormHook::SetFormScaleable(true);
    FakeScalable later(144);
    TFormHook hook(later);
    EXPECT_TRUE(later.scaled);
    EXPECT_EQ(later.rescales, 1);
}

TEST_F(FormHook, SwitchingOffScalesNothingBack) {
    FakeScalable window(144);
    TFormHook hook(window);
    TFormHook::SetFormScaleable(true);
    TFormHook::SetFormScaleable(false);
    EXPECT_FALSE(window.scaled);
    EXPECT_EQ(window.current, 144);
    EXPECT_EQ(window.rescales, 1);
}

TEST_F(FormHook, DestroyedFormIsNoLongerReached) {
    FakeScalable window(144);
    { TFormHook hook(window); }
    TFormHook::SetFormScaleable(true);
    EXPECT_FALSE(window.scaled);
}

}  // namespace

// --- the main window's creation applies the saved option once, after the placement
#include "FormFixture.h"

namespace {

class FormHookAtStart : public kv::test::FormFixture {
protected:
    FakeScalable window{144};
    TFormHook hook{window};
    ~FormHookAtStart() override { TFormHook::SetFormScaleable(false); }
};

TEST_F(FormHookAtStart, SavedOptionOnScalesTheFormsAtCreation) {
    store(L"KONFIG", L"fensterskalieren", L"1");
    create();
    EXPECT_TRUE(TFormHook::GetFormScaleable());
    EXPECT_EQ(window.rescales, 1);
    EXPECT_TRUE(dialogs.messages.empty()) << "no notice while the window is not visible";
}

TEST_F(FormHookAtStart, SavedOptionOffLeavesThemUnscaled) {
    store(L"KONFIG", L"fensterskalieren", L"0");
    create();
    EXPECT_FALSE(TFormHook::GetFormScaleable());
    EXPECT_FALSE(window.scaled);
    EXPECT_EQ(window.rescales, 0);
}

}  // namespace
