#pragma once
// Conversions between UTF-16 and UTF-8 (for messages of the test runner) and paths.
#include <string>

namespace kvdriver {

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

// A path as Windows expects it: a Unix path (as CMake passes it under Wine) gets the
// drive Z: that Wine maps to "/", and every "/" becomes "\".
std::wstring toWindowsPath(const std::wstring& path);

}  // namespace kvdriver
