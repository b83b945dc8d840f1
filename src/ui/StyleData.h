#pragma once
// A style's data: its name, its colours and the few measures its drawing needs, kept as a
// small text format of our own (UTF-8, one "key = value" line each, '#' starts a comment):
//   kvstyle 1
//   name = Carbon
//   window = #202124
//   ...
// Every key must be given exactly once; anything else is refused.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv::ui {

struct StyleColour {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const StyleColour&) const = default;
};

// The colour roles of a style, in the order of the file.
enum class StyleRole : int {
    Window, WindowText,
    ButtonFace, ButtonText, ButtonHotFace, ButtonHotText, ButtonPressedFace, ButtonPressedText,
    ButtonDisabledFace, ButtonDisabledText, ButtonBorder, Focus, PlayingMarker,
    CheckFace, CheckMark, CheckBorder,
    GroupFrame, GroupCaption,
    ComboFace, ComboText, ComboList, ComboListText, Selection, SelectionText,
    EditFace, EditText,
    TrackChannel, TrackThumb,
    StatusFace, StatusText, Separator, Caption, CaptionText,
    Count
};
constexpr int kStyleRoleCount = static_cast<int>(StyleRole::Count);

// Measures in pixels at 96 DPI.
enum class StyleMetric : int { ButtonRadius, BorderWidth, FocusWidth, CheckRadius, Count };
constexpr int kStyleMetricCount = static_cast<int>(StyleMetric::Count);
constexpr int kStyleMetricMax = 16;

struct StyleData {
    std::wstring name;
    std::array<StyleColour, kStyleRoleCount> colours{};
    std::array<int, kStyleMetricCount> metrics{};

    const StyleColour& colour(StyleRole role) const { return colours[static_cast<size_t>(role)]; }
    StyleColour& colour(StyleRole role) { return colours[static_cast<size_t>(role)]; }
    int metric(StyleMetric m) const { return metrics[static_cast<size_t>(m)]; }
    int& metric(StyleMetric m) { return metrics[static_cast<size_t>(m)]; }
    bool operator==(const StyleData&) const = default;
};

// The key of a role or measure in the file ("window", "button.text", "button.radius").
const char* styleRoleKey(StyleRole role);
const char* styleMetricKey(StyleMetric metric);

// Reads a style; nothing for malformed input (unknown header, key or value, a key given
// twice or missing, a name that is empty or not printable ASCII).
std::optional<StyleData> parseStyle(std::string_view text);
// Writes a style in the format parseStyle reads.
std::string formatStyle(const StyleData& style);

// The WCAG contrast ratio of two colours (1 to 21).
double contrastRatio(StyleColour a, StyleColour b);

}  // namespace kv::ui
