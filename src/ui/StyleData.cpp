#include "ui/StyleData.h"

#include <cmath>
#include <vector>

namespace kv::ui {

namespace {

constexpr const char* kHeader = "kvstyle 1";

constexpr const char* kRoleKeys[kStyleRoleCount] = {
    "window", "window.text",
    "button.face", "button.text", "button.hot.face", "button.hot.text", "button.pressed.face",
    "button.pressed.text", "button.disabled.face", "button.disabled.text", "button.border", "focus",
    "playing.marker",
    "check.face", "check.mark", "check.border",
    "group.frame", "group.caption",
    "combo.face", "combo.text", "combo.list", "combo.list.text", "selection", "selection.text",
    "edit.face", "edit.text",
    "track.channel", "track.thumb",
    "status.face", "status.text", "separator", "caption", "caption.text"};

constexpr const char* kMetricKeys[kStyleMetricCount] = {"button.radius", "border.width", "focus.width",
                                                        "check.radius"};

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<StyleColour> parseColour(std::string_view v) {
    if (v.size() != 7 || v[0] != '#') return std::nullopt;
    int bytes[3];
    for (int i = 0; i < 3; ++i) {
        const int hi = hexDigit(v[1 + 2 * i]), lo = hexDigit(v[2 + 2 * i]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes[i] = hi * 16 + lo;
    }
    return StyleColour{static_cast<std::uint8_t>(bytes[0]), static_cast<std::uint8_t>(bytes[1]),
                       static_cast<std::uint8_t>(bytes[2])};
}

std::optional<int> parseMetric(std::string_view v) {
    if (v.empty() || v.size() > 2) return std::nullopt;
    int n = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n > kStyleMetricMax) return std::nullopt;
    return n;
}

std::optional<std::wstring> parseName(std::string_view v) {
    if (v.empty()) return std::nullopt;
    std::wstring name;
    for (char c : v) {
        if (c < 0x20 || c > 0x7E) return std::nullopt;
        name.push_back(static_cast<wchar_t>(c));
    }
    return name;
}

int indexOf(const char* const* keys, int count, std::string_view key) {
    for (int i = 0; i < count; ++i)
        if (key == keys[i]) return i;
    return -1;
}

// One "key = value" line into the style; false when the line is not one.
bool readEntry(std::string_view line, StyleData& style, std::vector<bool>& seen) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    const std::string_view key = trim(line.substr(0, eq));
    const std::string_view value = trim(line.substr(eq + 1));
    // seen: the name, then the roles, then the measures
    auto once = [&seen](size_t slot) {
        if (seen[slot]) return false;
        seen[slot] = true;
        return true;
    };
    if (key == "name") {
        auto name = parseName(value);
        if (!name || !once(0)) return false;
        style.name = std::move(*name);
        return true;
    }
    if (const int role = indexOf(kRoleKeys, kStyleRoleCount, key); role >= 0) {
        auto colour = parseColour(value);
        if (!colour || !once(1 + static_cast<size_t>(role))) return false;
        style.colours[static_cast<size_t>(role)] = *colour;
        return true;
    }
    if (const int metric = indexOf(kMetricKeys, kStyleMetricCount, key); metric >= 0) {
        auto n = parseMetric(value);
        if (!n || !once(1 + kStyleRoleCount + static_cast<size_t>(metric))) return false;
        style.metrics[static_cast<size_t>(metric)] = *n;
        return true;
    }
    return false;
}

double linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(StyleColour c) { return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b); }

}  // namespace

const char* styleRoleKey(StyleRole role) { return kRoleKeys[static_cast<int>(role)]; }
const char* styleMetricKey(StyleMetric metric) { return kMetricKeys[static_cast<int>(metric)]; }

std::optional<StyleData> parseStyle(std::string_view text) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 mark
    StyleData style;
    std::vector<bool> seen(1 + kStyleRoleCount + kStyleMetricCount, false);
    bool headerRead = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (const size_t hash = line.find('#'); hash != std::string_view::npos && trim(line.substr(0, hash)).empty())
            continue;  // a comment line; colour values start with '#' too, after the key
        line = trim(line);
        if (line.empty()) continue;
        if (!headerRead) {
            if (line != kHeader) return std::nullopt;
            headerRead = true;
            continue;
        }
        if (!readEntry(line, style, seen)) return std::nullopt;
    }
    if (!headerRead) return std::nullopt;
    for (bool given : seen)
        if (!given) return std::nullopt;
    return style;
}

std::string formatStyle(const StyleData& style) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out = std::string(kHeader) + "\nname = ";
    for (wchar_t c : style.name) out.push_back(static_cast<char>(c));
    out += "\n";
    for (int i = 0; i < kStyleRoleCount; ++i) {
        const StyleColour& c = style.colours[static_cast<size_t>(i)];
        out += std::string(kRoleKeys[i]) + " = #";
        for (std::uint8_t v : {c.r, c.g, c.b}) {
            out.push_back(hex[v >> 4]);
            out.push_back(hex[v & 0xF]);
        }
        out += "\n";
    }
    for (int i = 0; i < kStyleMetricCount; ++i)
        out += std::string(kMetricKeys[i]) + " = " + std::to_string(style.metrics[static_cast<size_t>(i)]) + "\n";
    return out;
}

double contrastRatio(StyleColour a, StyleColour b) {
    double la = luminance(a), lb = luminance(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

}  // namespace kv::ui
