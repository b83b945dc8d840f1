// Process entry: the command line, the single-instance guard (or the hand-over of a command
// to the copy that runs), COM for the user-interface thread, the platform services, the main
// window with its start-up sequence, the hidden remote-control form and the message loop.
#include <windows.h>
#include <objbase.h>

#include "app/win32/ComApartment.h"
#include "app/commandline.h"
#include "app/win32/Win32Clock.h"
#include "app/win32/Win32CommandLine.h"
#include "app/win32/Win32Environment.h"
#include "app/win32/Win32FileLocks.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/Win32Random.h"
#include "app/win32/Win32Registry.h"
#include "app/win32/Win32RunningCopy.h"
#include "app/win32/Win32VersionSource.h"
#include "app/win32/startoncemutex_unit.h"
#include "library/win32/Win32ProfileFile.h"
#include "mixer/mixer_unit.h"
#include "mixer/win32/CoreAudioSessionSource.h"
#include "playback/FallbackMediaPlayer.h"
#include "playback/PlaybackErrors.h"
#include "playback/win32/EngineMediaPlayer.h"
#include "playback/win32/MciMediaPlayer.h"
#include "playback/win32/Win32MciExtensions.h"
#include "remote/RemotePlayerControl_unit.h"
#include "remote/win32/Win32WindowMessages.h"
#include "ui/MainUnit.h"
#include "ui/win32/HiddenForm.h"
#include "ui/win32/LanguageModule.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/MessageLoop.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32Texts.h"

namespace {

void showUsage(const kv::ITexts& texts) {
    const std::wstring usage = kv::formatText(texts.text(kv::TextId::Aufruf), kv::startOnceMutexName());
    MessageBoxW(nullptr, usage.c_str(), L"Kavinta", MB_ICONWARNING | MB_OK);
}

int run(HINSTANCE instance, int showCommand) {
    using namespace kv;
    using namespace kv::ui;

    // The language chosen for this program file applies from its start: the texts come from
    // its language module, the built-in German ones where it has none.
    Win32Registry registry;
    const std::wstring executablePath = ownExecutablePath();
    const win32::UniqueModule language = win32::loadLanguageModule(registry, executablePath);
    const win32::Win32Texts texts(language ? language.get() : instance);
    const CommandLine commandLine = parseCommandLine(commandLineArguments());
    const bool hasCommand = commandLine.kind == CommandLine::Kind::Command;
    if (commandLine.kind == CommandLine::Kind::Invalid) {
        showUsage(texts);
        return kExitUsage;
    }
    if (!hasCommand) {
        CheckStartOnce(texts);  // returns only when no other copy runs
    } else if (!TakeStartOnce()) {
        // A copy runs: it gets the command, and this process ends without a window.
        ReleaseStartOnce();
        Win32RunningCopy runningCopy(win32::Win32MainWindow::kClassName);
        return handOverCommand(runningCopy, commandLine.command);
    }
    const ComApartment com(COINIT_APARTMENTTHREADED);

    win32::Win32Dialogs dialogs(texts);
    Win32FileSystem files;
    Win32FileLocks fileLocks;
    Win32ProfileFile profile(files, fileLocks);
    const Win32Environment environment;
    // Jingles play on the program's own engine; MCI takes the files it cannot decode.
    EngineMediaPlayer engine(texts);
    MciMediaPlayer mci(texts);
    FallbackMediaPlayer player(engine, mci, mciMayPlayInstead);
    const Win32MciExtensions mciExtensions;
    const Win32Clock clock;
    Win32Random random;
    const Win32VersionSource version;
    mixer::win32::CoreAudioSessionSource audioSessions;
    const mixer::TMixer mixer(audioSessions, win32::collateIgnoreCase);
    remote::win32::Win32WindowMessages windowMessages;
    remote::Trcform rcform(windowMessages, windowMessages, mixer);

    StyleEngine styles(win32::systemButtonTextColor);
    win32::loadBuiltinStyles(styles, instance);

    TKavintamainform form(MainformServices{texts, dialogs, profile, files, environment, player, clock, random,
                                           version, win32::collateIgnoreCase, rcform, registry,
                                           executablePath, styles, win32::systemButtonTextColor, mciExtensions,
                                           fileLocks, engine});
    win32::Win32MainWindow window(form, instance);
    if (!window.hwnd()) return 1;
    window.setStyles(&styles);
    styles.onChanged = [&window] { window.styleChanged(); };
    dialogs.setOwner(window.hwnd());

    form.FormCreate();
    if (form.terminated()) return 0;  // no data folder: ends without showing the window
    if (hasCommand) form.queueRemoteCommand(commandLine.command);  // runs once the first category is shown

    win32::HiddenForm rcformWindow(L"Trcform", texts.text(TextId::CapRcform), texts.text(TextId::CapRcformLabel),
                                   instance);
    rcformWindow.attachTimers({&rcform.fadetimer});
    rcform.FormCreate();
    // The children are created and the window is shown once the loop runs, within the
    // start timer's wait.
    window.start(showCommand);
    return win32::runMessageLoop(window.hwnd(), window.accelerators());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        return run(instance, showCommand);
    } catch (...) {
        return 1;
    }
}
