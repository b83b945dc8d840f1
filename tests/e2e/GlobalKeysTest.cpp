// F1 ... F12 while another program has the focus: the window menu's item across a restart,
// a key pressed in a stand-in program's window, keys another program holds, and the keys
// given back at the close.
#include <cstdio>
#include <optional>

#include "E2eFixture.h"
#include "kvdriver/Input.h"
#include "kvdriver/StandIn.h"

namespace kv::e2e {
namespace {

constexpr Millis kEffectTimeout{3000};
constexpr const wchar_t* kKeysStandInClass = L"KvStandInKeys";

std::wstring keysStandInPath() { return toWindowsPath(fromUtf8(KV_E2E_STANDIN_KEYS)); }

// The check mark of the window menu's item, read from this process; nullopt when the menu
// or the item cannot be read from here.
std::optional<bool> menuItemChecked(HWND main) {
    HMENU menu = GetSystemMenu(main, FALSE);
    if (menu == nullptr) return std::nullopt;
    const UINT state = GetMenuState(menu, ids::SysGlobaleTasten, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1)) return std::nullopt;
    return (state & MF_CHECKED) != 0;
}

// True when F<n> can be registered as a hot key by this process now (it is given back at
// once): no other program holds it.
bool keyFree(int n) {
    const int id = 0x7000 + n;
    if (!RegisterHotKey(nullptr, id, MOD_NOREPEAT, static_cast<UINT>(VK_F1 + n - 1))) return false;
    UnregisterHotKey(nullptr, id);
    return true;
}

bool waitKeyFree(int n, bool free) {
    return waitUntil([&] { return keyFree(n) == free; }, kEffectTimeout);
}

class GlobalKeys : public E2eTest {
protected:
    void SetUp() override {
        createFolders(root() / L"media");
        ASSERT_TRUE(writeFileBytes(jingle(), toneWav(4000)));
    }
    void writeData(bool globalKeys) const {
        writeIni(L"[alpha]\r\nText3=Drei\r\nJingle3=" + jingle() +
                 L"\r\nzentrixfadeoutin=0\r\nwinampfadeoutin=0\r\nmixerfadeoutin=0\r\n"
                 L"[KONFIG]\r\nglobaletasten=" + std::wstring(globalKeys ? L"1" : L"0") + L"\r\n");
    }
    std::wstring jingle() const { return root() / L"media\\drei.wav"; }
    std::wstring keysLog() const { return root() / L"keys.log"; }
    bool playLogNames(const std::wstring& name) const {
        const auto log = readFileBytes(dataFolder() + L"\\KVLOG.LOG");
        return log && std::wstring(log->begin(), log->end()).find(name) != std::wstring::npos;
    }
    static bool keyReached(const StandIn& standIn, WORD key) {
        for (const LoggedMessage& m : standIn.log())
            if (m.kind == "key" && m.wParam == key) return true;
        return false;
    }
    void finish(const KavintaWindow& window, size_t index = 0) {
        screenshot(window.hwnd());
        EXPECT_EQ(closeAndWait(window, process(index)), std::optional<DWORD>(0));
    }
};

TEST_F(GlobalKeys, MenuItemTurnsTheKeysOnAndItsStateSurvivesARestart) {
    writeIni(L"[alpha]\r\nText1=Eins\r\n");
    KavintaWindow first = startShown(standardData());
    ASSERT_NE(first.hwnd(), nullptr);
    // Where the menu of another process's window cannot be read, the keys held tell the state.
    const std::optional<bool> before = menuItemChecked(first.hwnd());
    if (before) {
        EXPECT_FALSE(*before);
    } else {
        std::printf("[   INFO   ] the window menu cannot be read from another process here\n");
    }
    EXPECT_TRUE(keyFree(2)) << "off by default, yet F2 is held";

    PostMessageW(first.hwnd(), WM_SYSCOMMAND, ids::SysGlobaleTasten, 0);
    EXPECT_TRUE(waitKeyFree(2, false)) << "the menu item did not register F2";
    if (before) {
        EXPECT_EQ(menuItemChecked(first.hwnd()), std::optional<bool>(true));
    }
    finish(first);
    EXPECT_EQ(readIni().value(L"KONFIG", L"globaletasten"), L"1");

    KavintaWindow second = startShown(standardData());
    ASSERT_NE(second.hwnd(), nullptr);
    EXPECT_TRUE(waitKeyFree(12, false)) << "the stored option did not register the keys at the start";
    if (before) {
        EXPECT_EQ(menuItemChecked(second.hwnd()), std::optional<bool>(true));
    }
    PostMessageW(second.hwnd(), WM_SYSCOMMAND, ids::SysGlobaleTasten, 0);
    EXPECT_TRUE(waitKeyFree(2, true)) << "turning the item off did not give F2 back";
    if (before) {
        EXPECT_EQ(menuItemChecked(second.hwnd()), std::optional<bool>(false));
    }
    finish(second, 1);
    EXPECT_EQ(readIni().value(L"KONFIG", L"globaletasten"), L"0");
}

TEST_F(GlobalKeys, KeyPressedInAnotherProgramFiresTheSlot) {
    writeData(true);
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    StandIn other(keysStandInPath(), kKeysStandInClass, keysLog());
    ASSERT_TRUE(bringToFront(other.hwnd())) << "the stand-in does not come to the front";

    ASSERT_TRUE(pressKey(VK_F3));
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(3) == L">>"; }, kEffectTimeout))
        << "J3 shows \"" << narrow(window.slotCaption(3)) << "\"";
    EXPECT_TRUE(waitUntil([&] { return playLogNames(L" drei.wav "); }, kEffectTimeout)) << "no play-log line";
    EXPECT_EQ(GetForegroundWindow(), other.hwnd()) << "the stand-in lost the front";
    EXPECT_FALSE(keyReached(other, VK_F3)) << "the key went to the stand-in as well";
    screenshot(window.hwnd(), L"-playing");

    ASSERT_TRUE(pressKey(VK_F3));  // a second press stops it; the category comes back
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(3) == L"Drei"; }, kEffectTimeout));
    finish(window);
}

TEST_F(GlobalKeys, WithTheOptionOffTheKeyStaysWithTheProgramThatHasTheFocus) {
    writeData(false);
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    StandIn other(keysStandInPath(), kKeysStandInClass, keysLog());
    ASSERT_TRUE(bringToFront(other.hwnd()));

    ASSERT_TRUE(pressKey(VK_F3));
    EXPECT_TRUE(waitUntil([&] { return keyReached(other, VK_F3); }, kEffectTimeout)) << "the stand-in got no F3";
    EXPECT_EQ(window.slotCaption(3), L"Drei");
    EXPECT_FALSE(playLogNames(L"drei.wav"));
    finish(window);
}

TEST_F(GlobalKeys, KeysHeldByAnotherProgramAreNamedInTheStatusBar) {
    StandIn holder(keysStandInPath(), kKeysStandInClass, keysLog(), L"--hold 1,5");
    ASSERT_TRUE(waitUntil([&] { return holder.log().size() >= 2; }, kEffectTimeout));
    for (const LoggedMessage& m : holder.log()) {
        if (m.kind == "held") {
            ASSERT_EQ(m.wParam, 1) << "the stand-in could not hold F" << m.message;
        }
    }
    writeData(true);
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND status = window.control(ids::StatusBarMain);
    std::wstring shown;
    EXPECT_TRUE(waitUntil([&] {
        shown = statusBarText(status, 0);
        return shown == L"F-Tasten belegt von anderen Programmen: F1, F5";
    }, kEffectTimeout)) << "the status bar shows \"" << narrow(shown) << "\"";
    EXPECT_FALSE(keyFree(2)) << "the free keys were not registered";
    finish(window);
}

TEST_F(GlobalKeys, CloseGivesEveryKeyBack) {
    writeData(true);
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    for (int n = 1; n <= 12; ++n) EXPECT_FALSE(keyFree(n)) << "F" << n << " not held while on";
    finish(window);
    for (int n = 1; n <= 12; ++n) EXPECT_TRUE(keyFree(n)) << "F" << n << " still held after the close";
}

}  // namespace
}  // namespace kv::e2e
