#pragma once
// The arguments of this process, split by the system's rules for command lines.
#include <string>
#include <vector>

namespace kv {

// Every argument after the program's own name.
std::vector<std::wstring> commandLineArguments();

}  // namespace kv
