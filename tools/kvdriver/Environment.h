#pragma once
// The environment block a launched program gets: a few inherited variables plus the
// values a test sets (the data folder variables above all).
#include <map>
#include <string>
#include <vector>

namespace kvdriver {

// Variables in the order of the block, names compared without regard to case.
struct NoCaseLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};
using EnvironmentMap = std::map<std::wstring, std::wstring, NoCaseLess>;

// True for the variables that a launched program keeps from the driver's environment:
// the system folders, PATH, TEMP/TMP, every WINE* variable and the desktop session
// variables that Wine needs to reach the display and the sound server.
bool isInheritedVariable(const std::wstring& name);

// Parses a block of "name=value\0" entries ending in an empty entry. Entries whose name
// begins with "=" (the per-drive current folders) are left out.
EnvironmentMap parseEnvironmentBlock(const wchar_t* block);

// The inherited variables of current, then overrides on top (an empty value removes).
EnvironmentMap composeEnvironment(const EnvironmentMap& current, const EnvironmentMap& overrides);

// The block for CreateProcessW with CREATE_UNICODE_ENVIRONMENT, sorted by name.
std::vector<wchar_t> toEnvironmentBlock(const EnvironmentMap& variables);

// The driver's own environment.
EnvironmentMap currentEnvironment();

}  // namespace kvdriver
