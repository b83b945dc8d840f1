#include "DisplayPhase.h"

namespace kv::e2e {

std::wstring phaseFolder() {
    wchar_t buffer[1024] = {};
    const DWORD n = GetEnvironmentVariableW(L"KV_E2E_PHASE_DIR", buffer, 1024);
    return n > 0 && n < 1024 ? toWindowsPath(std::wstring(buffer, n)) : std::wstring();
}

void DisplayPhase::SetUp() {
    if (phaseFolder().empty()) GTEST_SKIP() << "runs from scripts/e2e-displays.sh (KV_E2E_PHASE_DIR)";
    createFolders(phaseFolder() + L"\\appdata");
    createFolders(phaseFolder() + L"\\allusers");
}

DataEnvironment DisplayPhase::standardData() const {
    const std::wstring folder = phaseFolder();
    return {folder + L"\\appdata", folder + L"\\allusers", folder};
}

}  // namespace kv::e2e
