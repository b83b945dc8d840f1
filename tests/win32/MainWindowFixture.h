#pragma once
// The real main window over fake platform services, made as the program makes it, with the
// message loop served by hand: the fixture of every Win32 test of the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "fakes/FakeServices.h"
#include "ui/ControlIds.h"
#include "ui/MainUnit.h"
#include "ui/formhook_unit.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/MessageLoop.h"

namespace kv::test {

class MainWindowFixture : public ::testing::Test, protected FakeDataFolderServices {
protected:
    std::unique_ptr<ui::TKavintamainform> form;
    std::unique_ptr<ui::win32::Win32MainWindow> window;
    bool quitSeen = false;  // pump() took a WM_QUIT

    // The window goes before the doubles a test's own fixture gave it.
    void TearDown() override { closeWindow(); }
    ~MainWindowFixture() override { closeWindow(); }

    // The services the form is made with.
    virtual ui::MainformServices formServices() { return services(); }
    // Runs once the window exists and before the form's creation: where a test gives the
    // window the doubles the program would give it.
    virtual void attach(ui::win32::Win32MainWindow&) {}

    // Builds the form and its (childless, hidden) window and runs the form's creation.
    ui::TKavintamainform& createUnstarted() {
        form = std::make_unique<ui::TKavintamainform>(formServices());
        window = std::make_unique<ui::win32::Win32MainWindow>(*form);
        attach(*window);
        form->FormCreate();
        return *form;
    }
    // As the program does up to its message loop: the loop-started work is queued, not served.
    ui::TKavintamainform& build(int showCommand = SW_HIDE) {
        createUnstarted();
        window->start(showCommand);
        return *form;
    }
    // ... and the loop's first round: timers started, children created, show command applied.
    ui::TKavintamainform& create(int showCommand = SW_HIDE) {
        build(showCommand);
        pump();
        return *form;
    }
    // ... and the start timer's tick: the first category shown.
    ui::TKavintamainform& createShown(int showCommand = SW_HIDE) {
        create(showCommand);
        form->starttimer.tick();
        return *form;
    }

    HWND main() const { return window ? window->hwnd() : nullptr; }
    HWND child(int id) const { return GetDlgItem(main(), id); }

    // Serves every waiting message as the program's loop does.
    void pump() {
        if (!ui::win32::processPendingMessages(main(), window->accelerators())) quitSeen = true;
    }
    // Serves messages until done() holds or the time is up.
    template <typename Condition>
    bool pumpUntil(Condition done, int timeoutMs = 2000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

private:
    void closeWindow() {
        window.reset();
        ui::TFormHook::SetFormScaleable(false);  // the form's creation sets it from the saved option
        // Whatever the window left in the queue (WM_QUIT included) must not reach the next test.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }
};

}  // namespace kv::test
