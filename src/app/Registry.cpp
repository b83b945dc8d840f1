#include "app/Registry.h"

namespace kv {

std::string RegistryError::toUtf8(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        // UTF-16 (Windows): a surrogate pair is one character.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            const char32_t low = static_cast<char32_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

namespace {
class NoRegistry final : public IRegistry {
public:
    void writeString(const std::wstring& key, const std::wstring&, const std::wstring&) override {
        throw RegistryError(L"HKEY_CURRENT_USER\\" + key + L": no registry");
    }
    std::optional<std::wstring> readString(const std::wstring&, const std::wstring&) const override {
        return std::nullopt;
    }
};
}  // namespace

IRegistry& noRegistry() {
    static NoRegistry none;
    return none;
}

}  // namespace kv
