#pragma once
// Every platform service of the main window as a test double, and the services struct made
// of them.
#include "FakeFadeController.h"
#include "FakeJingleEngine.h"
#include "FakeProfile.h"
#include "FakeRegistry.h"
#include "FakeStyleEngine.h"
#include "Fakes.h"
#include "ui/MainUnit.h"

#include <string>

namespace kv::test {

struct FakeServices {
    kv::BuiltinTexts texts;
    FakeDialogs dialogs;
    FakeProfile profile;
    FakeFileSystem files;
    FakeEnvironment env;
    FakeMediaPlayer player;
    FakeClock clock;
    FakeRandom random;
    FakeVersionSource version;
    FakeFadeController rcform;
    FakeRegistry registry;
    std::wstring executablePath = L"C:\\Programme\\Kavinta\\Kavinta.exe";
    FakeStyleEngine styles;
    ui::ColorValue systemButtonText = ui::colorValue(0, 0, 0);
    FakeMciExtensions mciExtensions;
    FakeJingleEngine engine;

    ui::MainformServices services() {
        return {texts, dialogs, profile, files, env, player, clock, random, version, ui::compareTextIgnoreCase, rcform,
                registry, executablePath, styles, [this] { return systemButtonText; }, mciExtensions,
                unsharedFiles(), engine};
    }
};

// The services of a user whose %APPDATA% exists: the program's data folder and KV.ini go
// below it, as on a fresh user account.
struct FakeDataFolderServices : FakeServices {
    const std::wstring appdata = L"C:\\Users\\op\\AppData\\Roaming";
    const std::wstring dataDir = appdata + L"\\Kavinta\\";
    const std::wstring ini = dataDir + L"KV.ini";

    FakeDataFolderServices() {
        env.values[L"APPDATA"] = appdata;
        files.addDirectory(appdata);
    }
};

}  // namespace kv::test
