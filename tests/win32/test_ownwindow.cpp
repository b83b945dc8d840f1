// The base of the program's own window classes: the hand-over of `this`, the ownership of
// the handle, and that nothing a handler throws leaves the window procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ui/win32/OwnWindow.h"

namespace {

using kv::ui::win32::OwnWindow;

constexpr UINT kThrowSomething = WM_APP + 7;
constexpr UINT kAnswer = WM_APP + 8;

class ProbeWindow final : public OwnWindow {
public:
    ProbeWindow() {
        WNDCLASSEXW wc{};
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvOwnWindowProbe";
        registerClass(wc);
        create(0, wc.lpszClassName, L"probe", WS_OVERLAPPED, {0, 0, 100, 100}, HWND_MESSAGE, wc.hInstance);
    }
    ~ProbeWindow() override { detach(); }
    using OwnWindow::detach;

    std::vector<UINT> seen;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (message == kThrowSomething) throw 42;  // not a std::exception: swallowed without a box
        if (message == kAnswer) return 1234;
        return defaultHandling(message, wParam, lParam);
    }
};

bool saw(const ProbeWindow& w, UINT message) {
    for (UINT m : w.seen)
        if (m == message) return true;
    return false;
}

TEST(OwnWindowTest, TheMessagesOfTheCreationItselfReachTheObject) {
    ProbeWindow w;
    ASSERT_NE(w.hwnd(), nullptr);
    EXPECT_TRUE(saw(w, WM_CREATE));
    EXPECT_EQ(SendMessageW(w.hwnd(), kAnswer, 0, 0), 1234);
}

TEST(OwnWindowTest, AnExceptionOfAHandlerStaysInsideTheProcedure) {
    ProbeWindow w;
    EXPECT_EQ(SendMessageW(w.hwnd(), kThrowSomething, 0, 0), 0);
    // The window still works after the failure.
    EXPECT_EQ(SendMessageW(w.hwnd(), kAnswer, 0, 0), 1234);
}

TEST(OwnWindowTest, AWindowDestroyedFromOutsideIsNotDestroyedAgainByItsOwner) {
    ProbeWindow w;
    const HWND handle = w.hwnd();
    ASSERT_TRUE(DestroyWindow(handle));
    EXPECT_EQ(w.hwnd(), nullptr) << "the owner lets go of the handle at WM_NCDESTROY";
    EXPECT_FALSE(IsWindow(handle));
}

TEST(OwnWindowTest, AfterDetachNoMessageReachesTheObject) {
    ProbeWindow w;
    w.detach();
    w.seen.clear();
    EXPECT_EQ(SendMessageW(w.hwnd(), kAnswer, 0, 0), 0) << "default handling answers now";
    EXPECT_TRUE(w.seen.empty());
}

TEST(OwnWindowTest, TheOwnerDestroysItsWindow) {
    HWND handle = nullptr;
    {
        ProbeWindow w;
        handle = w.hwnd();
        ASSERT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
}

}  // namespace
