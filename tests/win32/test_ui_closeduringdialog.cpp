// A close request (another program's WM_CLOSE) that arrives while a handler of the main window
// waits in one of its dialogs: the dialog ends as cancelled, the handler changes nothing, and
// the window closes with its save once the handler has returned.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "DialogDriver.h"
#include "TestFiles.h"
#include "MainWindowFixture.h"
#include "ui/ControlIds.h"
#include "ui/MainUnit.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/ModalLoops.h"
#include "ui/win32/Win32Dialogs.h"

namespace {

using namespace kv;
using namespace kv::ui;
using kv::test::DialogDriver;
using kv::ui::win32::Win32Dialogs;

class CloseDuringDialog : public test::MainWindowFixture {
protected:
    Win32Dialogs realDialogs{texts};
    HWND handle = nullptr;

    CloseDuringDialog() { profile.set(ini, L"Show", L"Text1", L"Intro"); }
    ui::MainformServices formServices() override {
        return {texts, realDialogs, profile, files, env, player, clock, random, version};
    }
    void attach(win32::Win32MainWindow& w) override {
        handle = w.hwnd();
        realDialogs.setOwner(handle);
    }

    // The program's set-up with real dialogs owned by the main window, the category shown.
    void SetUp() override {
        build(SW_SHOWNOACTIVATE);
        ASSERT_TRUE(pumpUntil([&] { return form->kategorie.itemIndex() == 0; }));
    }

    void postClose() const { PostMessageW(handle, WM_CLOSE, 0, 0); }

    // Once the handler has returned, the close is taken with its save.
    void expectClosedWithItsSave() {
        EXPECT_FALSE(profile.has(ini, L"KONFIG", L"STYLENAME")) << "saved before the handler returned";
        EXPECT_TRUE(pumpUntil([&] { return !IsWindow(handle); })) << "the close was lost";
        EXPECT_TRUE(quitSeen) << "the message loop does not end";
        EXPECT_GE(player.closeCalls, 1);
        EXPECT_EQ(profile.get(ini, L"KONFIG", L"STYLENAME"), L"Windows") << "no save at the close";
        EXPECT_EQ(profile.get(ini, L"Show", L"Text1"), L"Intro");
    }
};

TEST_F(CloseDuringDialog, OpenDialogOfTheAssignmentEndsAndNothingIsAssigned) {
    DialogDriver closer(handle, [&](HWND) { postClose(); });
    SendMessageW(child(ids::J1), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));  // returns with the dialog
    ASSERT_TRUE(closer.found()) << "no open dialog";
    EXPECT_TRUE(IsWindow(handle)) << "the window was destroyed under the waiting handler";
    EXPECT_EQ(test::findOwnedDialog(handle), nullptr) << "a dialog stays open";
    EXPECT_EQ(form->slot(1).hint(), L"");
    expectClosedWithItsSave();
    EXPECT_EQ(profile.get(ini, L"Show", L"Jingle1"), L"") << "the slot's file was saved";
}

TEST_F(CloseDuringDialog, CaptionQueryAfterTheChosenFileEndsAndNothingIsAssigned) {
    test::TempFolder folder;
    const std::wstring chosen = folder / L"Intro Morgen.wav";
    test::writeBytes(chosen, "RIFF");
    std::thread driver([&] {
        HWND open = test::waitOwnedDialog(handle);
        if (!open) return;
        HWND name = GetDlgItem(open, 0x47C);  // the explorer style's cmb13, or the old edt1
        if (!name) name = GetDlgItem(open, 0x480);
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
        PostMessageW(open, WM_COMMAND, IDOK, 0);
        if (test::waitOwnedDialog(handle, Win32Dialogs::kInputEditId)) postClose();
    });
    SendMessageW(child(ids::J1), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    driver.join();
    EXPECT_TRUE(IsWindow(handle)) << "the window was destroyed under the waiting handler";
    EXPECT_EQ(test::findOwnedDialog(handle), nullptr) << "a dialog stays open";
    EXPECT_EQ(form->slot(1).hint(), L"") << "the chosen file was assigned";
    EXPECT_EQ(form->slot(1).text(), L"Intro");
    expectClosedWithItsSave();
    EXPECT_EQ(profile.get(ini, L"Show", L"Jingle1"), L"") << "the slot's file was saved";
}

TEST_F(CloseDuringDialog, NameQueryOfANewCategoryEndsAndNothingIsAdded) {
    DialogDriver closer(handle, [&](HWND) { postClose(); }, Win32Dialogs::kInputEditId);
    SendMessageW(child(ids::KAT_neu), BM_CLICK, 0, 0);
    ASSERT_TRUE(closer.found()) << "no name query";
    EXPECT_TRUE(IsWindow(handle)) << "the window was destroyed under the waiting handler";
    EXPECT_EQ(form->kategorie.items(), std::vector<std::wstring>{L"Show"});
    expectClosedWithItsSave();
}

TEST_F(CloseDuringDialog, DeleteConfirmationEndsAsNoAndTheCategoryStays) {
    DialogDriver closer(handle, [&](HWND) { postClose(); }, IDNO);
    SendMessageW(child(ids::Kat_loeschen), BM_CLICK, 0, 0);
    ASSERT_TRUE(closer.found()) << "no confirmation";
    EXPECT_TRUE(IsWindow(handle)) << "the window was destroyed under the waiting handler";
    EXPECT_EQ(form->kategorie.text(), L"Show");
    expectClosedWithItsSave();
}

TEST_F(CloseDuringDialog, BoxOpenedOverTheOpenDialogEndsFirstThenTheDialog) {
    HWND open = nullptr;
    bool boxSeen = false;
    std::thread driver([&] {
        open = test::waitOwnedDialog(handle);
        if (!open) return;
        // A handler that runs inside the dialog's loop shows a box of its own (the scaling
        // notice), then the close request comes.
        PostMessageW(child(ids::c_fensterskalieren), BM_CLICK, 0, 0);
        for (int i = 0; i < 500 && !boxSeen; ++i) {
            const HWND top = test::findOwnedDialog(handle);  // the newest comes first
            boxSeen = top && top != open;
            if (!boxSeen) Sleep(20);
        }
        postClose();
    });
    SendMessageW(child(ids::J1), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    driver.join();
    ASSERT_NE(open, nullptr) << "no open dialog";
    EXPECT_TRUE(boxSeen) << "no box over the open dialog";
    EXPECT_TRUE(IsWindow(handle)) << "the window was destroyed under the waiting handler";
    EXPECT_EQ(test::findOwnedDialog(handle), nullptr) << "a dialog stays open";
    EXPECT_EQ(form->slot(1).hint(), L"");
    expectClosedWithItsSave();
}

TEST_F(CloseDuringDialog, SessionEndSavesAtOnceAndTheOpenDialogEndsWithNothingAssigned) {
    // The session ends when the message returns: the save cannot wait for the handler.
    bool stayedOpen = false;
    DialogDriver ender(handle, [&](HWND dialog) {
        SendMessageW(handle, WM_ENDSESSION, TRUE, 0);
        for (int i = 0; i < 100 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(20);
        stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        if (stayedOpen) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // so that the test goes on
    });
    SendMessageW(child(ids::J1), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(ender.found()) << "no open dialog";
    EXPECT_FALSE(stayedOpen) << "the session end left the dialog open";
    EXPECT_EQ(profile.get(ini, L"KONFIG", L"STYLENAME"), L"Windows") << "the session ended without the save";
    EXPECT_GE(player.closeCalls, 1);
    EXPECT_TRUE(IsWindow(handle)) << "the window was destroyed under the waiting handler";
    EXPECT_EQ(test::findOwnedDialog(handle), nullptr) << "a dialog stays open";
    EXPECT_EQ(form->slot(1).hint(), L"");
}

TEST_F(CloseDuringDialog, ADialogThatCannotBeEndedDoesNotKeepTheWindowFromClosing) {
    // A handler waits in a loop whose dialog is nowhere to be found (hidden, or of another
    // module): after its grace period the close is taken all the same.
    const win32::ModalDialog hiddenDialog(handle, IDCANCEL);
    postClose();
    const DWORD start = GetTickCount();
    while (IsWindow(handle) && GetTickCount() - start < 5000) {
        pump();
        Sleep(5);
    }
    EXPECT_FALSE(IsWindow(handle)) << "the close was lost";
    EXPECT_TRUE(quitSeen);
    EXPECT_EQ(profile.get(ini, L"KONFIG", L"STYLENAME"), L"Windows") << "no save at the close";
}

}  // namespace
