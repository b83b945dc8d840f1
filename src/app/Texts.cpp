#include "app/Texts.h"

namespace kv {

std::wstring BuiltinTexts::text(TextId id) const {
    switch (id) {
#define KV_TEXT(number, name, text) \
    case TextId::name:              \
        return text;
#include "app/texts_de.inc"
#undef KV_TEXT
    }
    return {};
}

static std::wstring replaceFirst(const std::wstring& pattern, const wchar_t* placeholder,
                                 const std::wstring& value) {
    const size_t at = pattern.find(placeholder);
    if (at == std::wstring::npos) return pattern;
    return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

std::wstring formatText(const std::wstring& pattern, const std::wstring& value) {
    return replaceFirst(pattern, L"%s", value);
}

std::wstring formatNumber(const std::wstring& pattern, long long number) {
    return replaceFirst(pattern, L"%d", std::to_wstring(number));
}

std::wstring joinMessage(const std::wstring& first, const std::wstring& second) {
    return first + L"\n\r" + second;
}

}  // namespace kv
