// The real main window with fake platform services takes commands of other programs by
// WM_COPYDATA: only our tag with a well-formed block, answered before the command runs,
// which then fires the slot through the window's own message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/commandpayload.h"
#include "MainWindowFixture.h"
#include "ui/MainUnit.h"

namespace {

using namespace kv;
using namespace kv::ui;

class CopyDataCommands : public test::MainWindowFixture {
protected:
    const std::wstring jingle = L"C:\\Jingles\\drei.wav";

    CopyDataCommands() {
        profile.set(ini, L"Show", L"Text3", L"Drei");
        profile.set(ini, L"Show", L"Jingle3", jingle);
        files.addFile(jingle);
    }

    // The window as the program has it once its message loop has run: the first category shown.
    void startShown() {
        createShown();
        ASSERT_EQ(form->kategorie.text(), L"Show");
    }

    LRESULT send(ULONG_PTR tag, const void* data, DWORD size) {
        COPYDATASTRUCT block{tag, size, const_cast<void*>(data)};
        return SendMessageW(window->hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
    }
};

TEST_F(CopyDataCommands, AWellFormedBlockIsAnsweredFirstAndRunByTheLoop) {
    startShown();
    const CommandPayload play3 = encodeCommand(RemoteCommand::play(3));
    EXPECT_EQ(send(kCommandTag, &play3, sizeof play3), TRUE);
    EXPECT_TRUE(player.opened.empty()) << "the command ran inside the send";
    pump();
    EXPECT_EQ(player.opened, std::vector<std::wstring>{jingle});
    EXPECT_EQ(form->slot(3).caption(), L">>");

    const CommandPayload stop = encodeCommand(RemoteCommand::stop());
    EXPECT_EQ(send(kCommandTag, &stop, sizeof stop), TRUE);
    EXPECT_TRUE(player.playing);
    pump();
    EXPECT_FALSE(player.playing);
}

TEST_F(CopyDataCommands, AnythingElseIsRefusedAndNothingRuns) {
    startShown();
    const CommandPayload play3 = encodeCommand(RemoteCommand::play(3));
    std::vector<unsigned char> oversized(1024, 0);
    std::memcpy(oversized.data(), &play3, sizeof play3);
    const CommandPayload play0{kPayloadPlay, 0};

    EXPECT_EQ(send(kCommandTag + 1, &play3, sizeof play3), FALSE);
    EXPECT_EQ(send(kCommandTag, oversized.data(), static_cast<DWORD>(oversized.size())), FALSE);
    EXPECT_EQ(send(kCommandTag, &play3, sizeof play3 - 1), FALSE);
    EXPECT_EQ(send(kCommandTag, &play0, sizeof play0), FALSE);
    EXPECT_EQ(send(kCommandTag, nullptr, 0), FALSE);
    EXPECT_EQ(SendMessageW(window->hwnd(), WM_COPYDATA, 0, 0), FALSE);
    pump();
    EXPECT_TRUE(player.opened.empty());
    EXPECT_EQ(form->slot(3).caption(), L"Drei");
    EXPECT_EQ(files.fileText(appdata + L"\\Kavinta\\KVLOG.LOG"), L"") << "a press was logged";
}

TEST_F(CopyDataCommands, AFullQueueRefusesTheNextBlock) {
    createUnstarted();  // the start timer has not run: the commands wait
    const CommandPayload stop = encodeCommand(RemoteCommand::stop());
    for (std::size_t i = 0; i < TKavintamainform::kMaxQueuedCommands; ++i)
        EXPECT_EQ(send(kCommandTag, &stop, sizeof stop), TRUE) << i;
    EXPECT_EQ(send(kCommandTag, &stop, sizeof stop), FALSE);
}

}  // namespace
