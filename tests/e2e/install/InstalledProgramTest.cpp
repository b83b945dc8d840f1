// The program as the setup installed it: started from the target of the Start-menu
// shortcut, its window shown and a slot played; and a silent setup that meets the
// program running fails instead of replacing it. scripts/installer-test.sh installs the
// program into a prefix of its own and names the paths in the environment.
#include <shlobj.h>
#include <shobjidl.h>

#include "../E2eFixture.h"
#include "kvdriver/Com.h"

namespace kv::e2e {
namespace {

constexpr Millis kSetupTimeout{60000};
constexpr DWORD kSetupFailed = 2;

std::wstring requiredEnvironment(const wchar_t* name) {
    wchar_t buffer[1024] = {};
    const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    if (n == 0 || n >= 1024) ADD_FAILURE() << narrow(name) << " is not set (run scripts/installer-test.sh)";
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

// The program file a shortcut starts; empty when it cannot be read.
std::wstring shortcutTarget(const std::wstring& link) {
    ComApartment com;
    ComPtr<IShellLinkW> shell;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(shell.put()))))
        return L"";
    ComPtr<IPersistFile> file;
    if (FAILED(shell->QueryInterface(IID_PPV_ARGS(file.put()))) || FAILED(file->Load(link.c_str(), STGM_READ)))
        return L"";
    wchar_t target[MAX_PATH] = {};
    if (FAILED(shell->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return L"";
    return target;
}

class InstalledProgram : public E2eTest {
protected:
    void SetUp() override {
        const std::wstring link = requiredEnvironment(L"KV_INSTALL_SHORTCUT");
        folder_ = requiredEnvironment(L"KV_INSTALL_FOLDER");
        ASSERT_FALSE(link.empty() || folder_.empty());
        target_ = shortcutTarget(link);
        ASSERT_FALSE(target_.empty()) << "shortcut not readable: " << narrow(link);
        createFolders(root() / L"media");
        ASSERT_TRUE(writeFileBytes(wav(), toneWav(1500)));
        writeIni(L"[Musik]\r\nText1=Ton\r\nJingle1=" + wav() +
                 L"\r\nzentrixfadeoutin=0\r\nwinampfadeoutin=0\r\nmixerfadeoutin=0\r\n");
    }

    std::wstring wav() const { return root() / L"media\\ton.wav"; }

    KavintaWindow startInstalled() {
        Process& p = start(standardData(), target_);
        auto window = KavintaWindow::waitFor(p.pid(), kStartTimeout);
        if (!window) {
            ADD_FAILURE() << "no visible main window of " << narrow(target_);
            screenshot(GetDesktopWindow(), L"-desktop");  // what came up instead
            return KavintaWindow(nullptr);
        }
        EXPECT_TRUE(window->waitCategoryShown(kShowTimeout)) << "no category shown after start";
        return *window;
    }

    std::wstring folder_;
    std::wstring target_;
};

TEST_F(InstalledProgram, StartsFromTheShortcutAndPlaysASlot) {
    EXPECT_EQ(CompareStringOrdinal(target_.c_str(), -1, (folder_ + L"\\Kavinta.exe").c_str(), -1, TRUE),
              CSTR_EQUAL)
        << "the shortcut starts " << narrow(target_);
    KavintaWindow window = startInstalled();
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    ASSERT_EQ(window.slotCaption(1), L"Ton");

    // The monitor leaves its idle text for the position (in either language of the program).
    const std::wstring idle = window.text(ids::Jinglestatus);
    ASSERT_EQ(idle, L"(- -)");
    window.click(ids::J1);
    std::wstring monitor;
    EXPECT_TRUE(waitUntil([&] {
        monitor = window.text(ids::Jinglestatus);
        return monitor != idle && monitor.find(L':') != std::wstring::npos;
    }, Millis{5000})) << "the monitor shows \"" << narrow(monitor) << "\"";
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(InstalledProgram, SilentSetupFailsWhileTheProgramRuns) {
    const std::wstring setup = requiredEnvironment(L"KV_INSTALL_SETUP");
    ASSERT_FALSE(setup.empty());
    KavintaWindow window = startInstalled();
    ASSERT_NE(window.hwnd(), nullptr);

    Process installer = Process::launch(setup, {}, L"/S");
    EXPECT_EQ(installer.waitExit(kSetupTimeout), std::optional<DWORD>(kSetupFailed));
    EXPECT_TRUE(process().running()) << "the setup ended the running program";
    EXPECT_TRUE(window.exists());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
