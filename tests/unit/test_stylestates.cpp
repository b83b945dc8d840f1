// Which colours of a style draw a control in which state, and the measures at other DPIs.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ui/StyleData.h"
#include "ui/StyleStates.h"

using namespace kv::ui;
using R = StyleRole;

TEST(StyleStates, DisabledWinsThenPressedThenHot) {
    EXPECT_EQ(controlState(false, true, true), ControlState::Disabled);
    EXPECT_EQ(controlState(true, true, true), ControlState::Pressed);
    EXPECT_EQ(controlState(true, false, true), ControlState::Hot);
    EXPECT_EQ(controlState(true, false, false), ControlState::Normal);
}

// The operator tells the states of a button apart by its face; the keyboard focus shows in
// the border alone, and never on a disabled button.
TEST(StyleStates, EachButtonStateHasItsOwnFaceAndTheFocusOnlyTheBorder) {
    std::set<R> faces;
    for (ControlState s : {ControlState::Normal, ControlState::Hot, ControlState::Pressed, ControlState::Disabled}) {
        const ButtonColours plain = buttonColours(s, false, false);
        const ButtonColours focused = buttonColours(s, true, false);
        faces.insert(plain.face);
        EXPECT_EQ(focused.face, plain.face);
        EXPECT_EQ(focused.text, plain.text);
        EXPECT_NE(plain.border, R::Focus);
        EXPECT_EQ(focused.border, s == ControlState::Disabled ? plain.border : R::Focus);
    }
    EXPECT_EQ(faces.size(), 4u);
}

TEST(StyleStates, PlayingSlotShowsItsMarkerOnTheNormalFace) {
    EXPECT_EQ(buttonColours(ControlState::Normal, false, true),
              (ButtonColours{R::ButtonFace, R::PlayingMarker, R::ButtonBorder}));
    // Under the mouse the marker stays on the face it reads on; the border tells the hot state.
    EXPECT_EQ(buttonColours(ControlState::Hot, false, true), (ButtonColours{R::ButtonFace, R::PlayingMarker, R::Focus}));
    EXPECT_EQ(buttonColours(ControlState::Pressed, false, true).text, R::ButtonPressedText);
    EXPECT_EQ(buttonColours(ControlState::Disabled, false, true).text, R::ButtonDisabledText);
}

TEST(StyleStates, CheckBoxMarksHotPressedFocusedAndDisabled) {
    EXPECT_EQ(checkColours(ControlState::Normal, false),
              (CheckColours{R::CheckFace, R::CheckBorder, R::CheckMark, R::WindowText}));
    EXPECT_EQ(checkColours(ControlState::Hot, false), (CheckColours{R::CheckFace, R::Focus, R::CheckMark, R::WindowText}));
    EXPECT_EQ(checkColours(ControlState::Normal, true).border, R::Focus);
    EXPECT_EQ(checkColours(ControlState::Pressed, false),
              (CheckColours{R::ButtonPressedFace, R::Focus, R::ButtonPressedText, R::WindowText}));
    EXPECT_EQ(checkColours(ControlState::Disabled, true),
              (CheckColours{R::ButtonDisabledFace, R::ButtonDisabledText, R::ButtonDisabledText, R::ButtonDisabledText}));
}

// Every text colour a state picks is one of the pairs whose contrast the built-in styles
// are checked for: a state must not put a text on a face it was not made for.
TEST(StyleStates, EveryPushButtonStatePairsTextWithItsOwnFace) {
    const std::vector<std::pair<R, R>> readable{{R::ButtonText, R::ButtonFace},
                                                {R::ButtonHotText, R::ButtonHotFace},
                                                {R::ButtonPressedText, R::ButtonPressedFace},
                                                {R::ButtonDisabledText, R::ButtonDisabledFace},
                                                {R::PlayingMarker, R::ButtonFace}};
    for (ControlState s : {ControlState::Normal, ControlState::Hot, ControlState::Pressed, ControlState::Disabled})
        for (bool focused : {false, true})
            for (bool playing : {false, true}) {
                const ButtonColours c = buttonColours(s, focused, playing);
                bool found = false;
                for (const auto& [text, face] : readable) found = found || (c.text == text && c.face == face);
                EXPECT_TRUE(found) << styleRoleKey(c.text) << " on " << styleRoleKey(c.face);
            }
}

TEST(StyleStates, MeasuresFollowTheDpiAndNeverVanish) {
    EXPECT_EQ(scaledMetric(3, 96), 3);
    EXPECT_EQ(scaledMetric(3, 144), 5);  // 4.5 rounds up
    EXPECT_EQ(scaledMetric(2, 192), 4);
    EXPECT_EQ(scaledMetric(1, 72), 1);
    EXPECT_EQ(scaledMetric(0, 192), 0);
}

TEST(StyleStates, DarkColoursAreThoseWhiteReadsBetterOn) {
    EXPECT_TRUE(isDarkColour({0x20, 0x21, 0x24}));
    EXPECT_TRUE(isDarkColour({0x00, 0x3C, 0x8F}));  // a deep blue
    EXPECT_FALSE(isDarkColour({0xF0, 0xF0, 0xF0}));
    EXPECT_FALSE(isDarkColour({0xFF, 0xD7, 0x00}));  // gold
}
