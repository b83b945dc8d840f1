#include "remote/duck.h"

#include <cwctype>

namespace kv::remote {

namespace {

constexpr wchar_t kSeparator = L'|';

bool equalIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

const wchar_t* kindName(PlayerKind kind) {
    switch (kind) {
    case PlayerKind::companion: return L"companion";
    case PlayerKind::winamp: return L"winamp";
    case PlayerKind::mixer: return L"mixer";
    }
    return L"";
}

std::optional<PlayerKind> kindOf(const std::wstring& name) {
    for (PlayerKind kind : {PlayerKind::companion, PlayerKind::winamp, PlayerKind::mixer})
        if (name == kindName(kind)) return kind;
    return std::nullopt;
}

// The fields before the last one are split at the separator; the display name, last, may
// hold it itself.
std::vector<std::wstring> splitFields(const std::wstring& text, size_t count) {
    std::vector<std::wstring> fields;
    size_t from = 0;
    while (fields.size() + 1 < count) {
        const size_t at = text.find(kSeparator, from);
        if (at == std::wstring::npos) break;
        fields.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    fields.push_back(text.substr(from));
    return fields;
}

std::optional<long long> number(const std::wstring& text) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    size_t used = 0;
    try {
        const long long value = std::stoll(text, &used, 10);
        if (used != text.size()) return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace

bool samePlayer(const Duck& a, const Duck& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case PlayerKind::companion: return true;
    case PlayerKind::winamp: return a.window == b.window;
    case PlayerKind::mixer:
        if (!a.guid.empty() && !b.guid.empty()) return equalIgnoringCase(a.guid, b.guid);
        return equalIgnoringCase(a.name, b.name);
    }
    return false;
}

// kind|window|level|left|guid|name
std::wstring duckRecordText(const Duck& duck) {
    const std::wstring s(1, kSeparator);
    return kindName(duck.kind) + s + std::to_wstring(duck.window) + s + std::to_wstring(duck.level) + s +
           std::to_wstring(duck.left) + s + duck.guid + s + duck.name;
}

std::optional<Duck> parseDuckRecord(const std::wstring& text) {
    const std::vector<std::wstring> fields = splitFields(text, 6);
    if (fields.size() != 6) return std::nullopt;
    const auto kind = kindOf(fields[0]);
    const auto window = number(fields[1]);
    const auto level = number(fields[2]);
    const auto left = number(fields[3]);
    if (!kind || !window || !level || !left || *window < 0) return std::nullopt;
    Duck duck;
    duck.kind = *kind;
    duck.window = static_cast<WindowHandle>(*window);
    duck.level = static_cast<std::int32_t>(*level);
    duck.left = static_cast<std::int32_t>(*left);
    duck.guid = fields[4];
    duck.name = fields[5];
    return duck;
}

}  // namespace kv::remote
