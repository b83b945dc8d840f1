// The real main window with fake services: the window menu's item for the system-wide
// F-keys and the hot keys it registers, and files dropped onto a slot button through a real
// DROPFILES block.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "playback/win32/Win32MciExtensions.h"
#include "ui/ControlIds.h"
#include "ui/MainUnit.h"
#include "ui/win32/HotKeyRegistrations.h"

namespace {

using namespace kv;
using namespace kv::ui;
using kv::ui::win32::HotKeyRegistrations;

// True when this thread can register F<n> now (given back at once).
bool keyFree(int n) {
    if (!RegisterHotKey(nullptr, 0x7100 + n, MOD_NOREPEAT, static_cast<UINT>(VK_F1 + n - 1))) return false;
    UnregisterHotKey(nullptr, 0x7100 + n);
    return true;
}

// A DROPFILES block as the shell hands it over: wide paths, each ended by a zero, and one
// more zero at the end; pt in client coordinates of the window (of its frame with nonClient).
HGLOBAL dropBlock(POINT pt, const std::vector<std::wstring>& paths, bool nonClient = false) {
    size_t chars = 1;
    for (const std::wstring& path : paths) chars += path.size() + 1;
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->pt = pt;
    header->fNC = nonClient ? TRUE : FALSE;
    header->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(out, path.c_str(), path.size() * sizeof(wchar_t));
        out += path.size() + 1;
    }
    GlobalUnlock(block);
    return block;
}

class GlobalKeysAndDropWindow : public test::MainWindowFixture {
protected:
    HMENU systemMenu() const { return GetSystemMenu(main(), FALSE); }
    UINT itemState() const { return GetMenuState(systemMenu(), ids::SysGlobaleTasten, MF_BYCOMMAND); }
    // The centre of slot n's button in the main window's client coordinates.
    POINT slotCentre(int n) const {
        RECT r{};
        GetWindowRect(GetDlgItem(main(), ids::J1 + n - 1), &r);
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(main(), &centre);
        return centre;
    }
    void drop(POINT at, const std::vector<std::wstring>& paths, bool nonClient = false) {
        SendMessageW(main(), WM_DROPFILES, reinterpret_cast<WPARAM>(dropBlock(at, paths, nonClient)), 0);
    }
};

TEST_F(GlobalKeysAndDropWindow, SystemMenuHasItsOwnItemsUnderASeparatorUncheckedByDefault) {
    createShown();
    HMENU menu = systemMenu();
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 5);
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(menu, count - 5, TRUE, &separator));
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    const std::pair<int, const wchar_t*> items[] = {{ids::SysGlobaleTasten, L"F1–F12 auch in anderen Programmen"},
                                                    {ids::SysGleichLaut, L"Jingles gleich laut"},
                                                    {ids::SysBlendetAus, L"Zweiter Druck blendet aus"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GetMenuItemID(menu, count - 4 + i), static_cast<UINT>(items[i].first));
        wchar_t text[128] = {};
        GetMenuStringW(menu, items[i].first, text, 128, MF_BYCOMMAND);
        EXPECT_STREQ(text, items[i].second);
        EXPECT_EQ(GetMenuState(menu, items[i].first, MF_BYCOMMAND) & MF_CHECKED, 0u);
    }
    wchar_t text[128] = {};
    GetMenuStringW(menu, count - 1, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Ausgabegerät");
    EXPECT_NE(GetSubMenu(menu, count - 1), nullptr);
    EXPECT_TRUE(keyFree(4));
}

TEST_F(GlobalKeysAndDropWindow, ChoosingTheItemChecksItAndHoldsTheKeysChoosingAgainGivesThemBack) {
    auto& f = createShown();
    SendMessageW(main(), WM_SYSCOMMAND, ids::SysGlobaleTasten, 0);
    EXPECT_TRUE(f.m_globaletasten.checked());
    EXPECT_NE(itemState() & MF_CHECKED, 0u);
    for (int n = 1; n <= 12; ++n) EXPECT_FALSE(keyFree(n)) << "F" << n;
    SendMessageW(main(), WM_SYSCOMMAND, ids::SysGlobaleTasten, 0);
    EXPECT_FALSE(f.m_globaletasten.checked());
    EXPECT_EQ(itemState() & MF_CHECKED, 0u);
    for (int n = 1; n <= 12; ++n) EXPECT_TRUE(keyFree(n)) << "F" << n;
}

TEST_F(GlobalKeysAndDropWindow, StoredOptionShowsTheCheckMarkAndAKeyHeldHereIsReported) {
    profile.set(ini, L"KONFIG", L"globaletasten", L"1");
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x7200, MOD_NOREPEAT, VK_F7));
    auto& f = createShown();
    UnregisterHotKey(nullptr, 0x7200);
    EXPECT_NE(itemState() & MF_CHECKED, 0u);
    EXPECT_EQ(f.StatusBarMain.panelText(), L"F-Tasten belegt von anderen Programmen: F7");
    EXPECT_FALSE(keyFree(6));
}

TEST_F(GlobalKeysAndDropWindow, HotKeyMessageFiresItsSlotAndTheWindowsEndGivesTheKeysBack) {
    profile.set(ini, L"Show", L"Text3", L"Drei");
    profile.set(ini, L"Show", L"Jingle3", L"C:\\drei.wav");
    files.addFile(L"C:\\drei.wav");
    profile.set(ini, L"KONFIG", L"globaletasten", L"1");
    auto& f = createShown();
    SendMessageW(main(), WM_HOTKEY, HotKeyRegistrations::kFirstId + 2, MAKELPARAM(0, VK_F3));
    EXPECT_EQ(f.slot(3).caption(), L">>");
    EXPECT_EQ(player.opened, std::vector<std::wstring>{L"C:\\drei.wav"});
    SendMessageW(main(), WM_HOTKEY, 0x7FFF, 0);  // not one of its ids
    EXPECT_EQ(player.opened.size(), 1u);
    EXPECT_FALSE(keyFree(3));
    PostMessageW(main(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(IsWindow(main()));
    for (int n = 1; n <= 12; ++n) EXPECT_TRUE(keyFree(n)) << "F" << n << " held after the close";
    EXPECT_EQ(profile.get(ini, L"KONFIG", L"globaletasten"), L"1");
}

TEST_F(GlobalKeysAndDropWindow, OneFileDroppedOnASlotAsksForTheCaptionAndIsSaved) {
    profile.set(ini, L"Show", L"Text1", L"Alt");
    auto& f = createShown();
    EXPECT_NE(GetWindowLongPtrW(main(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0) << "the window takes no dropped files";
    dialogs.acceptQuery();
    drop(slotCentre(5), {L"D:\\Jingles\\Guten Morgen.mp3"});
    ASSERT_EQ(dialogs.queries.size(), 1u);
    EXPECT_EQ(dialogs.queries[0].initial, L"Guten Morgen");
    EXPECT_EQ(f.slot(5).text(), L"Guten Morgen");
    EXPECT_EQ(profile.get(ini, L"Show", L"Jingle5"), L"D:\\Jingles\\Guten Morgen.mp3");
    EXPECT_EQ(profile.get(ini, L"Show", L"Text5"), L"Guten Morgen");
}

TEST_F(GlobalKeysAndDropWindow, SeveralFilesDroppedFillTheSlotsFromThePointOnAndTheRestIsCounted) {
    profile.set(ini, L"Show", L"Text1", L"Alt");
    auto& f = createShown();
    drop(slotCentre(10), {L"D:\\a.wav", L"D:\\liesmich.txt", L"D:\\b.wma", L"D:\\c.mid", L"D:\\d.wav"});
    EXPECT_TRUE(dialogs.queries.empty());
    EXPECT_EQ(profile.get(ini, L"Show", L"Jingle10"), L"D:\\a.wav");
    EXPECT_EQ(profile.get(ini, L"Show", L"Text11"), L"b");
    EXPECT_EQ(profile.get(ini, L"Show", L"Jingle12"), L"D:\\c.mid");
    EXPECT_EQ(f.slot(9).text(), L"unbelegt");
    EXPECT_EQ(f.StatusBarMain.panelText(),
              L"Nicht belegt, keine abspielbare Datei: liesmich.txt; Kein Platz nach J12: 1 Datei(en) nicht belegt");
    HWND status = GetDlgItem(main(), ids::StatusBarMain);
    wchar_t shown[256] = {};
    SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(std::wstring(shown), f.StatusBarMain.panelText());
}

TEST_F(GlobalKeysAndDropWindow, DropBesideTheSlotsChangesNothing) {
    profile.set(ini, L"Show", L"Text1", L"Alt");
    auto& f = createShown();
    const int writes = profile.writeCount();
    drop(POINT{5, 5}, {L"D:\\a.wav", L"D:\\b.wav"});
    drop(slotCentre(1), {L"D:\\a.wav", L"D:\\b.wav"}, true);  // on the frame, not on J1
    EXPECT_EQ(f.slot(1).text(), L"Alt");
    EXPECT_EQ(profile.writeCount(), writes);
}

// The system's list of MCI devices by extension (HKLM "MCI Extensions").
TEST(Win32MciExtensions, SystemNamesTheWaveAndMpegFormatsButNotOtherFiles) {
    const Win32MciExtensions system;
    EXPECT_TRUE(system.registered(L"wav"));
    EXPECT_TRUE(system.registered(L"MP3"));
    EXPECT_FALSE(system.registered(L"txt"));
    EXPECT_FALSE(system.registered(L"kvx"));
    EXPECT_FALSE(system.registered(L""));
}

}  // namespace

namespace {

class DeviceSubmenu : public kv::test::MainWindowFixture {
protected:
    HMENU submenu() const {
        HMENU menu = GetSystemMenu(main(), FALSE);
        return GetSubMenu(menu, GetMenuItemCount(menu) - 1);
    }
    // Each item's check mark, in order.
    std::vector<bool> checks() const {
        std::vector<bool> marks;
        for (int i = 0; i < GetMenuItemCount(submenu()); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_STATE;
            GetMenuItemInfoW(submenu(), static_cast<UINT>(i), TRUE, &info);
            EXPECT_TRUE(info.fType & MFT_RADIOCHECK) << i;
            marks.push_back((info.fState & MFS_CHECKED) != 0);
        }
        return marks;
    }
};

TEST_F(DeviceSubmenu, ListsTheDefaultThenTheDevicesAsRadioItemsAndChoosingOneTakesIt) {
    engine.devices = {{L"{id-a}", L"Lautsprecher"}};
    auto& f = createShown();
    ASSERT_NE(submenu(), nullptr);
    SendMessageW(main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu()), 0);  // the devices are listed now
    EXPECT_EQ(checks(), (std::vector<bool>{true, false}));
    wchar_t text[128] = {};
    GetMenuStringW(submenu(), 1, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Lautsprecher");

    SendMessageW(main(), WM_SYSCOMMAND, kv::ui::ids::SysAusgabegeraet + 16, 0);
    EXPECT_EQ(f.m_ausgabegeraet.selected(), 1);
    EXPECT_EQ(engine.chosenDevices.back(), L"{id-a}");
    EXPECT_EQ(checks(), (std::vector<bool>{false, true}));
    // Opening the submenu lists a device that came meanwhile.
    engine.devices.push_back({L"{id-b}", L"USB"});
    SendMessageW(main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu()), 0);
    EXPECT_EQ(checks(), (std::vector<bool>{false, true, false}));
}

}  // namespace
