// The styles: glyph recolouring, the style data format, every built-in style, the engine
// and the main window's switching.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "ui/StyleData.h"
#include "ui/StyleEngine.h"
#include "ui/styleutil_unit.h"

using namespace kv;
using namespace kv::ui;

namespace {

const std::vector<std::string>& builtinStyleTexts() {
    static const std::vector<std::string> texts{
#define KV_STYLE_TEXT(text) std::string(text),
#include "kv_style_texts.inc"
#undef KV_STYLE_TEXT
    };
    return texts;
}

constexpr std::uint32_t kPixelGrey = rgb(192, 192, 192);
constexpr std::uint32_t kPixelBlack = rgb(0, 0, 0);
constexpr std::uint32_t kPixelWhite = rgb(255, 255, 255);

// Light grey with black arrows and one white pixel, like the compact toggle's picture.
PixelBuffer greyGlyph(int width = 26, int height = 10) {
    PixelBuffer p(width, height, kPixelGrey);
    p.set(3, 3, kPixelBlack);
    p.set(4, 3, rgb(64, 64, 64));
    p.set(5, 5, kPixelWhite);
    return p;
}

}  // namespace

// --- Recolouring

TEST(RecolorBitmap, LightGreyTakesTheColourAndDarkTakesHalfOfIt) {
    PixelBuffer p = greyGlyph();
    RecolorBitmap(&p, colorValue(240, 240, 240));
    EXPECT_EQ(p.at(0, 0), rgb(240, 240, 240));
    EXPECT_EQ(p.at(3, 3), rgb(120, 120, 120));
    EXPECT_EQ(p.at(4, 3), rgb(120, 120, 120));
    EXPECT_EQ(p.at(5, 5), kPixelWhite);  // white stays
}

TEST(RecolorBitmap, ChannelsOf255BecomeNeverWhite) {
    PixelBuffer p = greyGlyph();
    RecolorBitmap(&p, colorValue(255, 255, 255));
    EXPECT_EQ(p.at(0, 0), rgb(254, 254, 254));
    EXPECT_EQ(p.at(3, 3), rgb(127, 127, 127));
}

TEST(RecolorBitmap, BlackColourMakesDarkPixelsMidGrey) {
    PixelBuffer p = greyGlyph();
    RecolorBitmap(&p, colorValue(0, 0, 0));
    EXPECT_EQ(p.at(0, 0), kPixelBlack);
    EXPECT_EQ(p.at(3, 3), rgb(128, 128, 128));
}

TEST(RecolorBitmap, ColourValueHasRedInTheLowByte) {
    PixelBuffer p = greyGlyph();
    RecolorBitmap(&p, colorValue(200, 100, 40));
    EXPECT_EQ(p.at(0, 0), rgb(200, 100, 40));
    EXPECT_EQ(p.at(3, 3), rgb(100, 50, 20));
    // Not grey any more: a later style changes nothing.
    const PixelBuffer once = p;
    RecolorBitmap(&p, colorValue(10, 10, 10));
    EXPECT_EQ(p, once);
}

TEST(RecolorBitmap, ANonGreyPixelLeavesTheWholePictureAlone) {
    PixelBuffer p = greyGlyph();
    p.set(10, 5, rgb(192, 192, 193));
    const PixelBuffer before = p;
    RecolorBitmap(&p, colorValue(240, 240, 240));
    EXPECT_EQ(p, before);
}

TEST(RecolorBitmap, WidthLimitIs1025Pixels) {
    PixelBuffer wide = greyGlyph(1026, 6);
    const PixelBuffer before = wide;
    RecolorBitmap(&wide, colorValue(240, 240, 240));
    EXPECT_EQ(wide, before);
    PixelBuffer limit = greyGlyph(1025, 6);
    RecolorBitmap(&limit, colorValue(240, 240, 240));
    EXPECT_EQ(limit.at(0, 0), rgb(240, 240, 240));
    PixelBuffer empty;
    RecolorBitmap(&empty, colorValue(240, 240, 240));
    EXPECT_TRUE(empty.empty());
    RecolorBitmap(nullptr, colorValue(240, 240, 240));  // absent: nothing to do
}

TEST(RecolorComponents, SpeedButtonsAndTaggedImagesOnly) {
    SpeedButton toggle(1, "toggle", {0, 0, 26, 10}, 0);
    toggle.setGlyphPixels(greyGlyph());
    Image tagged(2, "tagged", {0, 0, 26, 10}, kRecolorGlyphTag);
    tagged.picture() = greyGlyph();
    Image other(3, "other", {0, 0, 26, 10}, 9998);
    other.picture() = greyGlyph();
    SpeedButton noGlyph(4, "noGlyph", {0, 0, 26, 10}, 0);
    Label label(5, "label", {0, 0, 10, 10}, L"x");

    RecolorFormGlyphs({&toggle, &tagged, &other, &noGlyph, &label}, colorValue(240, 240, 240));
    EXPECT_EQ(toggle.glyphPixels().at(0, 0), rgb(240, 240, 240));
    EXPECT_EQ(tagged.picture().at(3, 3), rgb(120, 120, 120));
    EXPECT_EQ(other.picture(), greyGlyph());
    EXPECT_TRUE(noGlyph.glyphPixels().empty());
}

TEST(RecolorComponents, SplitColorGivesRedGreenBlue) {
    std::uint8_t r = 0, g = 0, b = 0;
    SplitColor(colorValue(1, 2, 3), r, g, b);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 3);
}

// --- The style data format

namespace {

StyleData sampleStyle() {
    StyleData s;
    s.name = L"Sample Look";
    for (int i = 0; i < kStyleRoleCount; ++i)
        s.colours[static_cast<size_t>(i)] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                             static_cast<std::uint8_t>(i * 7)};
    for (int i = 0; i < kStyleMetricCount; ++i) s.metrics[static_cast<size_t>(i)] = i + 1;
    return s;
}

// The text with the value of one key replaced.
std::string withValue(std::string text, const std::string& key, const std::string& value) {
    const std::string start = "\n" + key + " = ";
    const size_t at = text.find(start);
    if (at == std::string::npos) return text;
    const size_t valueStart = at + start.size();
    text.replace(valueStart, text.find('\n', valueStart) - valueStart, value);
    return text;
}

std::string withoutLine(std::string text, const std::string& key) {
    const size_t at = text.find("\n" + key + " = ");
    return text.erase(at + 1, text.find('\n', at + 1) - at);
}

}  // namespace

TEST(StyleFormat, RoundTripKeepsEveryField) {
    const StyleData s = sampleStyle();
    const auto back = parseStyle(formatStyle(s));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
}

TEST(StyleFormat, EveryKeyReachesItsOwnField) {
    const std::string text = formatStyle(sampleStyle());
    for (int i = 0; i < kStyleRoleCount; ++i) {
        const auto role = static_cast<StyleRole>(i);
        const auto s = parseStyle(withValue(text, styleRoleKey(role), "#A1B2C3"));
        ASSERT_TRUE(s.has_value()) << styleRoleKey(role);
        StyleData expected = sampleStyle();
        expected.colour(role) = {0xA1, 0xB2, 0xC3};
        EXPECT_EQ(*s, expected) << styleRoleKey(role);
    }
    for (int i = 0; i < kStyleMetricCount; ++i) {
        const auto metric = static_cast<StyleMetric>(i);
        const auto s = parseStyle(withValue(text, styleMetricKey(metric), "9"));
        ASSERT_TRUE(s.has_value()) << styleMetricKey(metric);
        EXPECT_EQ(s->metric(metric), 9);
    }
    const auto renamed = parseStyle(withValue(text, "name", "Other One"));
    ASSERT_TRUE(renamed.has_value());
    EXPECT_EQ(renamed->name, L"Other One");
}

TEST(StyleFormat, CommentsBlankLinesAndByteOrderMarkAreRead) {
    const std::string text = "\xEF\xBB\xBF# a look\r\n\r\n" + formatStyle(sampleStyle()) + "\n  # end\n";
    const auto s = parseStyle(text);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(*s, sampleStyle());
}

TEST(StyleFormat, MalformedInputIsRefused) {
    const std::string good = formatStyle(sampleStyle());
    ASSERT_TRUE(parseStyle(good).has_value());
    const std::vector<std::pair<const char*, std::string>> bad{
        {"empty", ""},
        {"no header", good.substr(good.find('\n') + 1)},
        {"other version", "kvstyle 2" + good.substr(good.find('\n'))},
        {"unknown key", good + "button.glow = #000000\n"},
        {"key twice", good + "window = #000000\n"},
        {"name twice", good + "name = Again\n"},
        {"missing colour", withoutLine(good, "track.thumb")},
        {"missing measure", withoutLine(good, "check.radius")},
        {"missing name", withoutLine(good, "name")},
        {"short colour", withValue(good, "window", "#12345")},
        {"no hash", withValue(good, "window", "123456")},
        {"not hex", withValue(good, "window", "#12G456")},
        {"long colour", withValue(good, "window", "#1234567")},
        {"measure too large", withValue(good, "button.radius", "17")},
        {"negative measure", withValue(good, "button.radius", "-1")},
        {"measure not a number", withValue(good, "button.radius", "2px")},
        {"empty name", withValue(good, "name", "")},
        {"name not ASCII", withValue(good, "name", "Gr\xC3\xBCn")},
        {"line without value", good + "window\n"},
    };
    for (const auto& [what, text] : bad) EXPECT_FALSE(parseStyle(text).has_value()) << what;
}

// --- The built-in styles

TEST(BuiltinStyles, EveryOneLoadsUnderItsListedName) {
    std::set<std::wstring> names;
    for (const std::string& text : builtinStyleTexts()) {
        const auto s = parseStyle(text);
        ASSERT_TRUE(s.has_value()) << text.substr(0, 60);
        EXPECT_TRUE(names.insert(s->name).second) << "twice";
        EXPECT_EQ(*parseStyle(formatStyle(*s)), *s);
    }
    std::vector<std::wstring> expected = BuiltinStyleNames();
    expected.erase(std::remove(expected.begin(), expected.end(), kSystemStyleName), expected.end());
    EXPECT_EQ(names, std::set<std::wstring>(expected.begin(), expected.end()));
    EXPECT_EQ(names.size(), 39u);
}

TEST(BuiltinStyles, EveryTextReadsOnItsBackground) {
    const std::vector<std::pair<StyleRole, StyleRole>> pairs{
        {StyleRole::WindowText, StyleRole::Window},
        {StyleRole::ButtonText, StyleRole::ButtonFace},
        {StyleRole::ButtonHotText, StyleRole::ButtonHotFace},
        {StyleRole::ButtonPressedText, StyleRole::ButtonPressedFace},
        {StyleRole::PlayingMarker, StyleRole::ButtonFace},
        {StyleRole::CheckMark, StyleRole::CheckFace},
        {StyleRole::GroupCaption, StyleRole::Window},
        {StyleRole::ComboText, StyleRole::ComboFace},
        {StyleRole::ComboListText, StyleRole::ComboList},
        {StyleRole::SelectionText, StyleRole::Selection},
        {StyleRole::EditText, StyleRole::EditFace},
        {StyleRole::StatusText, StyleRole::StatusFace},
        {StyleRole::CaptionText, StyleRole::Caption},
    };
    for (const std::string& text : builtinStyleTexts()) {
        const StyleData s = *parseStyle(text);
        for (const auto& [fore, back] : pairs)
            EXPECT_GE(contrastRatio(s.colour(fore), s.colour(back)), 4.5)
                << std::string(s.name.begin(), s.name.end()) << ": " << styleRoleKey(fore) << " on "
                << styleRoleKey(back);
    }
}

TEST(BuiltinStyles, ContrastRatioFollowsTheUsualScale) {
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio({119, 119, 119}, {255, 255, 255}), 4.48, 0.01);
    EXPECT_DOUBLE_EQ(contrastRatio({10, 20, 30}, {10, 20, 30}), 1.0);
}

// --- The engine

namespace {

std::string styleText(const std::wstring& name, StyleColour buttonText) {
    StyleData s = sampleStyle();
    s.name = name;
    s.colour(StyleRole::ButtonText) = buttonText;
    return formatStyle(s);
}

}  // namespace

TEST(StyleEngine, SwitchesByNameAndReportsTheButtonTextColour) {
    StyleEngine engine([] { return colorValue(1, 2, 3); });
    int changes = 0;
    engine.onChanged = [&] { ++changes; };
    ASSERT_TRUE(engine.addStyle(styleText(L"Dark", {240, 240, 240})));
    EXPECT_EQ(engine.names(), (std::vector<std::wstring>{L"Windows", L"Dark"}));
    EXPECT_EQ(engine.buttonTextColor(), colorValue(1, 2, 3));  // the system look's
    EXPECT_EQ(engine.active(), nullptr);

    EXPECT_TRUE(engine.switchTo(L"Dark"));
    EXPECT_EQ(engine.activeName(), L"Dark");
    EXPECT_EQ(engine.buttonTextColor(), colorValue(240, 240, 240));
    EXPECT_TRUE(engine.switchTo(L"Dark"));
    EXPECT_EQ(changes, 1);  // the same look again changes nothing

    EXPECT_FALSE(engine.switchTo(L"Nowhere"));
    EXPECT_FALSE(engine.switchTo(L"dark"));
    EXPECT_EQ(engine.activeName(), L"Dark");
    EXPECT_TRUE(engine.switchTo(L"Windows"));
    EXPECT_EQ(engine.active(), nullptr);
    EXPECT_EQ(changes, 2);
}

TEST(StyleEngine, RefusesBrokenAndRepeatedStyles) {
    StyleEngine engine;
    EXPECT_FALSE(engine.addStyle("kvstyle 1\nname = Broken\n"));
    EXPECT_TRUE(engine.addStyle(styleText(L"One", {0, 0, 0})));
    EXPECT_FALSE(engine.addStyle(styleText(L"One", {9, 9, 9})));
    EXPECT_FALSE(engine.addStyle(styleText(L"Windows", {9, 9, 9})));
    EXPECT_EQ(engine.names().size(), 2u);
}

TEST(StyleEngine, GlyphColourFallsBackToTheSystemsButtonText) {
    StyleEngine noSystemColour;  // cannot tell the system look's colour
    EXPECT_EQ(StyleGlyphColor(noSystemColour, colorValue(7, 8, 9)), colorValue(7, 8, 9));
    EXPECT_EQ(StyleGlyphColor(systemLookOnly(), colorValue(7, 8, 9)), colorValue(7, 8, 9));
}

TEST(StyleEngine, EveryBuiltinStyleReportsItsButtonTextColour) {
    StyleEngine engine([] { return colorValue(1, 1, 1); });
    for (const std::string& text : builtinStyleTexts()) ASSERT_TRUE(engine.addStyle(text));
    ASSERT_EQ(engine.names().size(), 40u);
    EXPECT_EQ(StyleNameList(engine.names()), StyleNameList());
    for (const StyleData& s : engine.styles()) {
        ASSERT_TRUE(engine.switchTo(s.name));
        const StyleColour& c = s.colour(StyleRole::ButtonText);
        EXPECT_EQ(engine.buttonTextColor(), colorValue(c.r, c.g, c.b));
    }
}

// --- The main window

namespace {

class Styles : public test::FormFixture {
protected:
    const ColorValue lightGrey = colorValue(240, 240, 240);

    // The platform gives the compact toggle its designed picture before the start.
    TKavintamainform& createWithGlyph() {
        form = std::make_unique<TKavintamainform>(services());
        form->attachHost(&host);
        form->fensterkleingross.setGlyphPixels(greyGlyph());
        form->B_lng_DE.setGlyphPixels(PixelBuffer(30, 20, rgb(221, 0, 0)));
        form->FormCreate();
        return *form;
    }
    void choose(const std::wstring& entry) {
        form->cbStyle.setItemIndex(form->cbStyle.indexOf(entry, false));
        form->b_styleanwenden.click();
    }
};

}  // namespace

TEST_F(Styles, SavedStyleIsAppliedAtStartAndTheGreyGlyphRecoloured) {
    store(L"KONFIG", L"STYLENAME", L"Carbon");
    styles.colours[L"Carbon"] = lightGrey;
    TKavintamainform& f = createWithGlyph();
    EXPECT_EQ(styles.active, L"Carbon");
    EXPECT_EQ(f.fensterkleingross.glyphPixels().at(0, 0), rgb(240, 240, 240));
    EXPECT_EQ(f.fensterkleingross.glyphPixels().at(3, 3), rgb(120, 120, 120));
    EXPECT_EQ(f.B_lng_DE.glyphPixels(), PixelBuffer(30, 20, rgb(221, 0, 0)));  // a flag is not grey
    EXPECT_EQ(f.cbStyle.text(), L"Carbon");
}

TEST_F(Styles, WindowsAtStartSwitchesNothing) {
    createWithGlyph();
    EXPECT_TRUE(styles.switches.empty());
    EXPECT_EQ(form->fensterkleingross.glyphPixels(), greyGlyph());
}

TEST_F(Styles, UnknownSavedNameChangesNothingAndIsSavedBack) {
    store(L"KONFIG", L"STYLENAME", L"Hand Made");
    TKavintamainform& f = createWithGlyph();
    EXPECT_EQ(styles.active, L"Windows");
    EXPECT_EQ(f.fensterkleingross.glyphPixels(), greyGlyph());
    EXPECT_EQ(f.cbStyle.itemIndex(), -1);
    f.konfigspeichern();
    EXPECT_EQ(stored(L"KONFIG", L"STYLENAME"), L"Hand Made");
}

TEST_F(Styles, ApplyingSwitchesAndTheNameReachesTheNextSave) {
    createWithGlyph();
    styles.colours[L"Obsidian"] = lightGrey;
    choose(L"Obsidian");
    EXPECT_EQ(styles.active, L"Obsidian");
    EXPECT_EQ(form->currentStyleName(), L"Obsidian");
    EXPECT_EQ(form->fensterkleingross.glyphPixels().at(0, 0), rgb(240, 240, 240));
    EXPECT_NE(stored(L"KONFIG", L"STYLENAME"), L"Obsidian");  // not at once
    form->konfigspeichern();
    EXPECT_EQ(stored(L"KONFIG", L"STYLENAME"), L"Obsidian");
}

TEST_F(Styles, SeparatorAndNoSelectionDoNothing) {
    createWithGlyph();
    choose(L"------------");
    form->cbStyle.setItemIndex(-1);
    form->b_styleanwenden.click();
    EXPECT_TRUE(styles.switches.empty());
    EXPECT_EQ(form->currentStyleName(), L"Windows");
}

// "anwenden" pressed again for the look in use: the look is not switched again, and the
// glyphs recoloured by it stay as they are.
TEST_F(Styles, ApplyingTheActiveStyleAgainSwitchesNothing) {
    createWithGlyph();
    styles.colours[L"Sky"] = colorValue(200, 200, 200);
    choose(L"Sky");
    const PixelBuffer afterSky = form->fensterkleingross.glyphPixels();
    ASSERT_NE(afterSky, greyGlyph());
    choose(L"Sky");
    EXPECT_EQ(styles.switches, std::vector<std::wstring>{L"Sky"});
    EXPECT_EQ(form->fensterkleingross.glyphPixels(), afterSky);
}

TEST_F(Styles, BackToWindowsRecoloursWithTheSystemColour) {
    createWithGlyph();
    systemButtonText = colorValue(100, 100, 100);
    styles.colours[L"Windows"] = std::nullopt;  // the system look reports no colour here
    choose(L"Luna");
    choose(L"Windows");
    EXPECT_EQ(styles.active, L"Windows");
    // Luna made the grey black and the arrows mid grey; both are still grey pictures.
    EXPECT_EQ(form->fensterkleingross.glyphPixels().at(0, 0), rgb(50, 50, 50));
    EXPECT_EQ(form->fensterkleingross.glyphPixels().at(3, 3), rgb(100, 100, 100));
}

TEST_F(Styles, AStyleWithoutButtonTextColourUsesTheSystems) {
    createWithGlyph();
    systemButtonText = colorValue(60, 60, 60);
    styles.colours[L"Glow"] = std::nullopt;
    choose(L"Glow");
    EXPECT_EQ(form->fensterkleingross.glyphPixels().at(0, 0), rgb(60, 60, 60));
}

TEST_F(Styles, ANameThatDiffersOnlyInCaseIsNotTheActiveStyle) {
    createWithGlyph();
    styles.colours[L"Sky"] = colorValue(200, 200, 200);
    choose(L"Sky");
    const PixelBuffer afterSky = form->fensterkleingross.glyphPixels();
    form->SetStyle(L"sky");
    ASSERT_EQ(styles.switches.size(), 2u) << "the comparison with the active name is exact";
    EXPECT_EQ(styles.switches.back(), L"sky");
    EXPECT_EQ(styles.active, L"Sky") << "no look has that name: the look stays";
    EXPECT_EQ(form->fensterkleingross.glyphPixels(), afterSky) << "nothing recoloured after a failed switch";
}
