// Files dropped onto a slot button from outside the program. On Windows a drop reaches the
// window only from the shell's drag and drop of the operator's mouse; under Wine the X
// display's drag and drop is turned into the same WM_DROPFILES, so a host tool on the display
// drops the files here as a file manager would.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

#ifdef KV_E2E_XDND_DROP
constexpr Millis kDropTimeout{10000};

// The Unix path of a Windows path, through Wine's own conversion; empty outside Wine.
std::wstring unixPathOf(const std::wstring& path) {
    using Convert = char* (*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    char* unix = convert(path.c_str());
    if (!unix) return {};
    const std::wstring result = fromUtf8(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

class Drop : public E2eTest {
protected:
    void SetUp() override {
        createFolders(root() / L"media");
        for (const wchar_t* name : {L"Morgen.wav", L"Abend.mp3", L"notiz.txt"})
            ASSERT_TRUE(writeFileBytes(root() / (std::wstring(L"media\\") + name), toneWav(200)));
        writeIni(L"[Show]\r\nText1=Eins\r\nzentrixfadeoutin=0\r\n");
    }
    std::wstring media(const wchar_t* name) const { return root() / (std::wstring(L"media\\") + name); }

    // Starts the drop of the files at the centre of slot n through the X display (the screen's
    // pixels are the display's). Wine runs the host tool outside its own processes, so the
    // returned process cannot be waited for: what the drop did is read from the window.
    Process dropOnSlot(const KavintaWindow& window, int n, const std::vector<std::wstring>& files) {
        RECT r{};
        GetWindowRect(window.control(ids::J1 + n - 1), &r);
        std::wstring arguments = std::to_wstring((r.left + r.right) / 2) + L" " + std::to_wstring((r.top + r.bottom) / 2);
        for (const std::wstring& file : files) arguments += L" \"" + unixPathOf(file) + L"\"";
        return Process::launch(toWindowsPath(fromUtf8(KV_E2E_XDND_DROP)), {}, arguments);
    }
};

TEST_F(Drop, FilesDroppedFromTheDisplayFillTheSlotFromThePointOnAndAreSaved) {
    if (unixPathOf(L"C:\\").empty()) GTEST_SKIP() << "the display's drag and drop exists under Wine only";
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const Process helper = dropOnSlot(window, 5, {media(L"Morgen.wav"), media(L"notiz.txt"), media(L"Abend.mp3")});
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(5) == L"Morgen"; }, kDropTimeout))
        << "J5 shows \"" << narrow(window.slotCaption(5)) << "\"";
    EXPECT_TRUE(waitIniValue(L"Show", L"Jingle5", media(L"Morgen.wav")));
    EXPECT_TRUE(waitIniValue(L"Show", L"Text6", L"Abend"));
    EXPECT_EQ(window.slotCaption(7), kUnbelegt);
    EXPECT_EQ(statusBarText(window.control(ids::StatusBarMain), 0),
              L"Nicht belegt, keine abspielbare Datei: notiz.txt");
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}
#endif

}  // namespace
}  // namespace kv::e2e
