#pragma once
// Every text the program shows is looked up by number, so that a language module can
// supply the same numbers in another language.
#include <string>

namespace kv {

enum class TextId : int {
#define KV_TEXT(number, name, text) name = number,
#include "app/texts_de.inc"
#undef KV_TEXT
};

class ITexts {
public:
    virtual ~ITexts() = default;
    virtual std::wstring text(TextId id) const = 0;
};

// The built-in German texts, straight from the list (native builds and tests).
class BuiltinTexts final : public ITexts {
public:
    std::wstring text(TextId id) const override;
};

// Replaces the first "%s" of pattern by value (the message table's only placeholder for texts).
std::wstring formatText(const std::wstring& pattern, const std::wstring& value);
// Replaces the first "%d" of pattern by the decimal number.
std::wstring formatNumber(const std::wstring& pattern, long long number);
// Two texts of one message box are joined by a line feed and a carriage return.
std::wstring joinMessage(const std::wstring& first, const std::wstring& second);

}  // namespace kv
