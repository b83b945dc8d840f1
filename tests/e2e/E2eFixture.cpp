#include "E2eFixture.h"

#include <windows.h>

#include <cmath>

#include "kvdriver/Screenshot.h"

namespace kv::e2e {
namespace {

std::wstring environmentValue(const wchar_t* name) {
    wchar_t buffer[4096] = {};
    const DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n > 0 && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring sanitize(std::string name) {
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?') c = '_';
    return fromUtf8(name);
}

}  // namespace

std::wstring programPath() {
    const std::wstring fromEnvironment = environmentValue(L"KV_EXE");
    return toWindowsPath(fromEnvironment.empty() ? fromUtf8(KV_E2E_PROGRAM) : fromEnvironment);
}

std::wstring artifactsFolder() {
    const std::wstring fromEnvironment = environmentValue(L"KV_ARTIFACTS");
    const std::wstring folder =
        toWindowsPath(fromEnvironment.empty() ? fromUtf8(KV_E2E_ARTIFACTS) : fromEnvironment);
    createFolders(folder);
    return folder;
}

std::vector<std::wstring> categoryKeysInSaveOrder() {
    std::vector<std::wstring> keys;
    for (int n = 1; n <= 12; ++n) {
        keys.push_back(L"Text" + std::to_wstring(n));
        keys.push_back(L"Jingle" + std::to_wstring(n));
    }
    for (const wchar_t* key : {L"zentrixfadeoutin", L"winampfadeoutin", L"mixerfadeoutin",
                               L"mixerfadeoutin_name", L"fo1", L"fo2", L"fi", L"cf", L"fopos",
                               L"jingleendezeit", L"jingletimereinaus", L"jingletimerval"})
        keys.emplace_back(key);
    return keys;
}

std::vector<std::uint8_t> toneWav(int milliseconds) {
    constexpr std::uint32_t rate = 22050;
    const std::uint32_t samples = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
    const std::uint32_t dataBytes = samples * 2;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(44 + dataBytes);
    auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    auto tag = [&](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
    tag("RIFF"); put(36 + dataBytes, 4); tag("WAVE");
    tag("fmt "); put(16, 4); put(1, 2); put(1, 2); put(rate, 4); put(rate * 2, 4); put(2, 2); put(16, 2);
    tag("data"); put(dataBytes, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double sample = 6000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / rate);
        put(static_cast<std::uint16_t>(static_cast<std::int16_t>(sample)), 2);
    }
    return bytes;
}

std::string narrow(const std::wstring& text) { return toUtf8(text); }

E2eTest::E2eTest() : root_(L"kv-e2e") {
    processes_.reserve(8);
    createFolders(root_ / L"appdata");
    createFolders(root_ / L"allusers");
}

DataEnvironment E2eTest::standardData() const {
    return {root_ / L"appdata", root_ / L"allusers", root_.path()};
}

void E2eTest::writeIni(const std::wstring& text) const {
    createFolders(dataFolder());
    ASSERT_TRUE(writeFileBytes(iniPath(), utf16LeWithBom(text)));
}

std::optional<IniSnapshot> E2eTest::settledIni() const {
    // The program rewrites the file for every single value of a save: read it only once
    // it has stayed the same for a while, so that no half-finished save is looked at.
    std::optional<std::vector<std::uint8_t>> previous = readFileBytes(iniPath());
    const bool settled = waitUntil(
        [&] {
            Sleep(static_cast<DWORD>(kSettleTime.count()));
            auto now = readFileBytes(iniPath());
            const bool same = now == previous;
            previous = std::move(now);
            return same;
        },
        kSaveTimeout, Millis{0});
    if (!settled || !previous) return std::nullopt;
    return IniSnapshot::parse(*previous);
}

IniSnapshot E2eTest::readIni() const {
    auto ini = settledIni();
    EXPECT_TRUE(ini.has_value()) << "cannot read " << narrow(iniPath());
    return ini ? *ini : IniSnapshot{};
}

::testing::AssertionResult E2eTest::waitIniValue(const std::wstring& section, const std::wstring& key,
                                                 const std::wstring& expected) const {
    std::optional<std::wstring> last;
    const bool ok = waitUntil(
        [&] {
            const auto ini = settledIni();
            last = ini ? ini->value(section, key) : std::nullopt;
            return last == expected;
        },
        kSaveTimeout, Millis{0});
    if (ok) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    failure << "[" << narrow(section) << "] " << narrow(key) << " is ";
    if (last)
        failure << "\"" << narrow(*last) << "\"";
    else
        failure << "missing";
    return failure << ", expected \"" << narrow(expected) << "\"";
}

Process& E2eTest::start(const DataEnvironment& data, const std::wstring& exe) {
    processes_.push_back(launchWithData(exe, data));
    return processes_.back();
}

KavintaWindow E2eTest::startMain(const DataEnvironment& data) {
    Process& p = start(data);
    auto window = KavintaWindow::waitFor(p.pid(), kStartTimeout);
    if (!window) {
        ADD_FAILURE() << "no visible main window of " << narrow(programPath());
        return KavintaWindow(nullptr);
    }
    return *window;
}

KavintaWindow E2eTest::startShown(const DataEnvironment& data) {
    KavintaWindow window = startMain(data);
    if (window.hwnd() != nullptr) {
        EXPECT_TRUE(window.waitCategoryShown(kShowTimeout)) << "no category shown after start";
    }
    return window;
}

void E2eTest::screenshot(HWND hwnd, const std::wstring& suffix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::wstring name = sanitize(std::string(info->test_suite_name()) + "." + info->name());
    const std::wstring file = artifactsFolder() + L"\\" + name + suffix + L".png";
    EXPECT_TRUE(saveWindowPng(hwnd, file)) << "screenshot not saved: " << narrow(file);
}

std::optional<DWORD> E2eTest::closeAndWait(const KavintaWindow& window, const Process& p) {
    window.close();
    return p.waitExit(kExitTimeout);
}

}  // namespace kv::e2e
