#pragma once
#include <string>

#include "app/Clock.h"

namespace kv {

struct JinglePathParts {
    std::wstring name;  // after the last backslash
    std::wstring path;  // up to and including the last backslash; the whole text without one
};

// Splits at the last backslash only; a forward slash is an ordinary character.
JinglePathParts splitJinglePath(const std::wstring& jingle);

std::wstring formatLogDate(const LocalTime& t);                               // "05.03.2024"
std::wstring formatLogTime(const LocalTime& t, const std::wstring& separator);  // "14:07:09"

}  // namespace kv
