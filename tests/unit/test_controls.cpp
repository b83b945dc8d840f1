#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/controls/Buttons.h"
#include "ui/controls/ComboBox.h"
#include "ui/controls/Timer.h"
#include "ui/controls/ValueControls.h"

using namespace kv::ui;

namespace {

struct RecordingView : ControlView {
    std::vector<Aspect> seen;
    void refresh(Aspect a) override { seen.push_back(a); }
};

TEST(CheckBox, FiresOnEveryChangeAndOnlyOnChange) {
    CheckBox box(1, "c", {});
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    box.setChecked(false);
    EXPECT_EQ(clicks, 0);
    box.setChecked(true);
    box.setChecked(true);
    EXPECT_EQ(clicks, 1);
    box.click();
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(clicks, 2);
}

TEST(CheckBox, HandlerSeesTheNewStateAndTheViewIsRefreshedFirst) {
    CheckBox box(1, "c", {});
    RecordingView view;
    box.attachView(&view);
    bool stateInHandler = false;
    size_t refreshesBeforeHandler = 0;
    box.onClick = [&] {
        stateInHandler = box.checked();
        refreshesBeforeHandler = view.seen.size();
    };
    box.click();
    EXPECT_TRUE(stateInHandler);
    EXPECT_EQ(refreshesBeforeHandler, 1u);
}

TEST(Control, OnlyRealChangesReachTheView) {
    // A category load resets and sets every slot; unchanged values must cost the window nothing.
    Button slot(1, "J1", {}, L"- -");
    RecordingView view;
    slot.attachView(&view);
    slot.setFont(Font{});
    slot.setText(L"- -");
    slot.setHint(L"");
    EXPECT_TRUE(view.seen.empty());
    slot.setFont(Font{8, true, kBlack});
    slot.setFont(Font{8, true, kBlack});
    slot.setFont(Font{8, true, 0x800000});
    EXPECT_EQ(view.seen, (std::vector<Aspect>{Aspect::Font, Aspect::Font}));
}

TEST(RadioButton, TurningOneOnTurnsTheOthersOffAndClicksOnlyIt) {
    RadioButton a(1, "a", {}), b(2, "b", {}), c(3, "c", {});
    RadioButton::group({&a, &b, &c});
    std::string clicks;
    a.onClick = [&] { clicks += "a"; };
    b.onClick = [&] { clicks += "b"; };
    c.onClick = [&] { clicks += "c"; };
    a.setChecked(true);
    b.click();
    EXPECT_FALSE(a.checked());
    EXPECT_TRUE(b.checked());
    EXPECT_FALSE(c.checked());
    EXPECT_EQ(clicks, "ab");
    b.setChecked(false);  // all off is possible
    EXPECT_FALSE(a.checked() || b.checked() || c.checked());
    EXPECT_EQ(clicks, "ab");
}

TEST(ComboBox, SortedBoxInsertsInOrderAndKeepsTheSelection) {
    ComboBox box(1, "k", {});
    box.setSorted(true);
    box.addItem(L"Morgen");
    box.setItemIndex(box.addItem(L"abend"));
    box.addItem(L"Zebra");
    box.addItem(L"Anfang");
    ASSERT_EQ(box.count(), 4);
    EXPECT_EQ(box.item(0), L"abend");
    EXPECT_EQ(box.item(1), L"Anfang");
    EXPECT_EQ(box.item(3), L"Zebra");
    EXPECT_EQ(box.text(), L"abend");
    box.deleteItem(1);
    EXPECT_EQ(box.text(), L"abend");
    box.deleteItem(0);
    EXPECT_EQ(box.itemIndex(), -1);
    EXPECT_EQ(box.text(), L"");
}

TEST(ComboBox, SwitchingSortingOnSortsTheEntries) {
    ComboBox box(1, "k", {});
    for (const wchar_t* s : {L"b", L"C", L"a"}) box.addItem(s);
    EXPECT_EQ(box.item(0), L"b");
    box.setSorted(true);
    EXPECT_EQ(box.items(), (std::vector<std::wstring>{L"a", L"b", L"C"}));
}

TEST(ComboBox, ProgramSelectionIsSilentOperatorSelectionFires) {
    ComboBox box(1, "k", {});
    box.addItem(L"x");
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.setItemIndex(0);
    EXPECT_EQ(changes, 0);
    box.userSelect(0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.indexOf(L"X", true), 0);
    EXPECT_EQ(box.indexOf(L"X", false), -1);
}

TEST(SpinEdit, BoundedClampsUnboundedKeepsAnyValue) {
    SpinEdit bounded(1, "s", {}, 1, 999, 30);
    int changes = 0;
    bounded.onChange = [&] { ++changes; };
    bounded.setValue(0);
    EXPECT_EQ(bounded.value(), 1);
    bounded.setValue(5000);
    EXPECT_EQ(bounded.value(), 999);
    bounded.setValue(999);
    EXPECT_EQ(changes, 2);
    SpinEdit free(2, "f", {}, 0, 0, 0);
    free.setValue(-500);
    EXPECT_EQ(free.value(), -500);
}

TEST(TrackBar, HoldsThePositionInItsRange) {
    TrackBar bar(1, "t", {}, 0, 100, 0);
    int changes = 0;
    bar.onChange = [&] { ++changes; };
    bar.setPosition(150);
    EXPECT_EQ(bar.position(), 100);
    bar.setPosition(-3);
    EXPECT_EQ(bar.position(), 0);
    bar.setPosition(0);
    EXPECT_EQ(changes, 2);
}

TEST(Timer, TicksOnlyWhileEnabledAndEnablingTwiceDoesNotRestart) {
    struct CountingView : TimerView {
        int changes = 0;
        void timerChanged() override { ++changes; }
    } view;
    Timer timer(1, "t", 77, false);
    timer.attachView(&view);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.tick();
    EXPECT_EQ(ticks, 0);
    timer.setEnabled(true);
    timer.setEnabled(true);
    EXPECT_EQ(view.changes, 1);
    timer.tick();
    EXPECT_EQ(ticks, 1);
}

}  // namespace
