#include "app/win32/Win32CommandLine.h"

#include <windows.h>
#include <shellapi.h>

namespace kv {

std::vector<std::wstring> commandLineArguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr) return {};
    std::vector<std::wstring> arguments;
    for (int i = 1; i < count; ++i) arguments.emplace_back(argv[i]);
    LocalFree(argv);
    return arguments;
}

}  // namespace kv
