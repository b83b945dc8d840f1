#include "library/textencoding.h"

#include <cstring>

namespace kv {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

bool startsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> mark) {
    if (bytes.size() < mark.size()) return false;
    std::size_t i = 0;
    for (std::uint8_t b : mark)
        if (bytes[i++] != b) return false;
    return true;
}

// A wide string holds UTF-16 where wchar_t has 16 bits (Windows) and code points where
// it has 32.
void appendCodePoint(std::wstring& text, std::uint32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (cp >> 10));
            text += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
            return;
        }
    }
    text += static_cast<wchar_t>(cp);
}

bool isHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The code points of text, one at a time.
template <typename Visit>
void forEachCodePoint(const std::wstring& text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t u = static_cast<std::uint32_t>(text[i]);
        if (isHighSurrogate(u) && i + 1 < text.size() && isLowSurrogate(static_cast<std::uint32_t>(text[i + 1]))) {
            u = 0x10000 + ((u - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
        } else if (isHighSurrogate(u) || isLowSurrogate(u) || u > 0x10FFFF) {
            u = kReplacement;
        }
        visit(u);
    }
}

std::wstring fromUtf16(const std::vector<std::uint8_t>& bytes, bool bigEndian) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (!bigEndian) {
            // The units as they are: a large file is taken over in one copy.
            std::wstring text((bytes.size() - 2) / 2, L'\0');
            std::memcpy(text.data(), bytes.data() + 2, text.size() * 2);
            return text;
        }
    }
    std::wstring text;
    text.reserve(bytes.size() / 2);
    std::uint32_t pending = 0;  // a high surrogate waiting for its partner
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t u = bigEndian ? (bytes[i] << 8 | bytes[i + 1]) : (bytes[i + 1] << 8 | bytes[i]);
        if (pending && isLowSurrogate(u)) {
            appendCodePoint(text, 0x10000 + ((pending - 0xD800) << 10) + (u - 0xDC00));
            pending = 0;
            continue;
        }
        if (pending) appendCodePoint(text, kReplacement);
        pending = 0;
        if (isHighSurrogate(u)) pending = u;
        else appendCodePoint(text, isLowSurrogate(u) ? kReplacement : u);
    }
    if (pending) appendCodePoint(text, kReplacement);
    return text;
}

std::vector<std::uint8_t> toUtf16(const std::wstring& text, bool bigEndian) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (!bigEndian) {
            std::vector<std::uint8_t> bytes(2 + text.size() * 2);
            bytes[0] = 0xFF;
            bytes[1] = 0xFE;
            std::memcpy(bytes.data() + 2, text.data(), text.size() * 2);
            return bytes;
        }
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2 + 2);
    auto unit = [&](std::uint32_t u) {
        const auto hi = static_cast<std::uint8_t>(u >> 8), lo = static_cast<std::uint8_t>(u & 0xFF);
        bytes.push_back(bigEndian ? hi : lo);
        bytes.push_back(bigEndian ? lo : hi);
    };
    unit(0xFEFF);
    forEachCodePoint(text, [&](std::uint32_t cp) {
        if (cp < 0x10000) return unit(cp);
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    });
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> toUtf16LeWithMark(const std::wstring& text) { return toUtf16(text, false); }

std::vector<std::uint8_t> toUtf8(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size());
    forEachCodePoint(text, [&](std::uint32_t cp) {
        auto put = [&](std::uint32_t b) { bytes.push_back(static_cast<std::uint8_t>(b)); };
        if (cp < 0x80) {
            put(cp);
        } else if (cp < 0x800) {
            put(0xC0 | cp >> 6);
            put(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            put(0xE0 | cp >> 12);
            put(0x80 | (cp >> 6 & 0x3F));
            put(0x80 | (cp & 0x3F));
        } else {
            put(0xF0 | cp >> 18);
            put(0x80 | (cp >> 12 & 0x3F));
            put(0x80 | (cp >> 6 & 0x3F));
            put(0x80 | (cp & 0x3F));
        }
    });
    return bytes;
}

std::wstring fromUtf8(const std::vector<std::uint8_t>& bytes, std::size_t from) {
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t i = from;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        int extra = lead < 0x80 ? 0 : lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
        if (lead >= 0xF5) extra = -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= bytes.size()) {
            appendCodePoint(text, kReplacement);
            ++i;
            continue;
        }
        std::uint32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const std::uint8_t b = bytes[i + static_cast<std::size_t>(k)];
            if ((b & 0xC0) != 0x80) valid = false;
            cp = cp << 6 | (b & 0x3F);
        }
        const std::uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || cp < least[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            appendCodePoint(text, kReplacement);
            ++i;
            continue;
        }
        appendCodePoint(text, cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return text;
}

DecodedText decodeText(const std::vector<std::uint8_t>& bytes, const IFileSystem& files) {
    if (startsWith(bytes, {0xFF, 0xFE})) return {TextForm::Utf16Le, fromUtf16(bytes, false)};
    if (startsWith(bytes, {0xFE, 0xFF})) return {TextForm::Utf16Be, fromUtf16(bytes, true)};
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF})) return {TextForm::Utf8, fromUtf8(bytes, 3)};
    return {TextForm::Ansi, files.fromAnsi(std::string(bytes.begin(), bytes.end()))};
}

std::optional<std::vector<std::uint8_t>> encodeText(const std::wstring& text, TextForm form,
                                                    const IFileSystem& files) {
    switch (form) {
        case TextForm::Utf16Le: return toUtf16(text, false);
        case TextForm::Utf16Be: return toUtf16(text, true);
        case TextForm::Utf8: {
            std::vector<std::uint8_t> bytes{0xEF, 0xBB, 0xBF};
            const std::vector<std::uint8_t> body = toUtf8(text);
            bytes.insert(bytes.end(), body.begin(), body.end());
            return bytes;
        }
        case TextForm::Ansi: break;
    }
    const std::optional<std::string> ansi = files.toAnsi(text);
    if (!ansi) return std::nullopt;
    return std::vector<std::uint8_t>(ansi->begin(), ansi->end());
}

}  // namespace kv
