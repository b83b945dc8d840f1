#pragma once
// The fixture of every end-to-end case: fresh data folders under %TEMP%, the program
// started with them, a screenshot per run, and nothing left running afterwards.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kvdriver/IniSnapshot.h"
#include "kvdriver/KavintaWindow.h"
#include "kvdriver/MessageBoxes.h"
#include "kvdriver/Process.h"
#include "kvdriver/TempFolder.h"
#include "kvdriver/Text.h"
#include "kvdriver/Window.h"
#include "ui/ControlIds.h"

namespace kv::e2e {

using namespace kvdriver;
namespace ids = kv::ui::ids;

inline constexpr Millis kStartTimeout{20000};
inline constexpr Millis kShowTimeout{5000};
inline constexpr Millis kExitTimeout{15000};
inline constexpr Millis kSaveTimeout{3000};
inline constexpr Millis kBoxTimeout{10000};
inline constexpr Millis kSettleTime{150};

// The program file under test (KV_EXE, else the path the build passed in).
std::wstring programPath();
// The folder for screenshots (KV_ARTIFACTS, else <build>/artifacts); created on demand.
std::wstring artifactsFolder();

class E2eTest : public ::testing::Test {
protected:
    E2eTest();

    // APPDATA = <root>\appdata and ALLUSERSPROFILE = <root>\allusers, both existing. A
    // fixture whose data must outlive the test (one run in several sessions) puts them elsewhere.
    virtual DataEnvironment standardData() const;
    virtual std::wstring dataFolder() const { return root_ / L"appdata\\Kavinta"; }
    std::wstring iniPath() const { return dataFolder() + L"\\KV.ini"; }
    const TempFolder& root() const { return root_; }

    // Writes text as the UTF-16LE KV.ini of the standard data folder.
    void writeIni(const std::wstring& text) const;
    // The KV.ini on disk once it has stopped changing; nullopt when it cannot be read.
    std::optional<IniSnapshot> settledIni() const;
    // settledIni(), failing the test when there is none.
    IniSnapshot readIni() const;
    // Waits until value(section, key) of the file on disk equals expected.
    ::testing::AssertionResult waitIniValue(const std::wstring& section, const std::wstring& key,
                                            const std::wstring& expected) const;

    // Starts the program (or exe) with data and keeps it for the end of the test.
    Process& start(const DataEnvironment& data, const std::wstring& exe = programPath());
    // start + wait for the visible main window; fails the test when it does not come.
    KavintaWindow startMain(const DataEnvironment& data);
    KavintaWindow startShown(const DataEnvironment& data);  // ... and the first category

    // Saves <artifacts>\<suite>.<test>[-suffix].png of the window.
    void screenshot(HWND hwnd, const std::wstring& suffix = L"");
    // Posts WM_CLOSE and returns the exit code (nullopt when the process stays).
    std::optional<DWORD> closeAndWait(const KavintaWindow& window, const Process& process);

    Process& process(size_t index = 0) { return processes_.at(index); }

private:
    TempFolder root_;
    std::vector<Process> processes_;
};

// Texts of the program, as the operator reads them.
inline const std::wstring kUnbelegt = L"unbelegt";
// The keys of [KONFIG], in the order every save writes them.
inline const std::vector<std::wstring> kKonfigKeys = {
    L"fensterimvordergrund", L"fensterskalieren", L"STYLENAME",     L"globaletasten",
    L"jinglesgleichlaut",    L"zweiterdruckblendetaus", L"ausgabegeraet", L"ausgabegeraetname"};
inline const std::wstring kSaveFailed =
    L"Die Konfiguration konnte nicht gesichert werden.\n\r"
    L"Möglicherweise führen Sie das Programm von einem schreibgeschützten Laufwerk oder doppelt aus!";
inline const std::wstring kNoDataFolder =
    L"Datenpfad konnte nicht gefunden werden - bitte starten Sie zunächst die Hauptanwendung "
    L"um die Installation abzuschließen!";

// The keys of a category section in the order a save writes them.
std::vector<std::wstring> categoryKeysInSaveOrder();

// A mono 16-bit PCM WAV file of a 440 Hz tone.
std::vector<std::uint8_t> toneWav(int milliseconds);

// For readable failure messages of wide strings.
std::string narrow(const std::wstring& text);

}  // namespace kv::e2e
