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

}  // namespace kv::test
