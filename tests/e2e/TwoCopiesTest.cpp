// Two copies of the program under two file names on one data folder, both saving as fast
// as they answer: afterwards KV.ini is whole, and no copy showed a window of its own.
#include "E2eFixture.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kv::e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kSavingTime = std::chrono::seconds(3);
constexpr int kMinimumRounds = 5;  // fewer would not overlap the other copy's saves

// One copy in the test: its window, the category it shows, and what its last save held.
struct Copy {
    KavintaWindow window{nullptr};
    Process* process = nullptr;
    std::wstring category;
    std::wstring firstSlot;
    int rounds = 0;
    bool fadeIn = false;
    std::wstring endTime;
};

// A visible top-level window of a copy other than its main window.
struct StrayWindow {
    HWND hwnd;
    std::wstring className, caption, text;
    bool ownedByMain;
};

class TwoCopies : public E2eTest {
protected:
    void SetUp() override {
        writeIni(L"[Musik]\r\nText1=Jingle A\r\n[Werbung]\r\nText1=Jingle B\r\n");
        first_.category = L"Musik";
        first_.firstSlot = L"Jingle A";
        second_.category = L"Werbung";
        second_.firstSlot = L"Jingle B";
    }

    // The program copied beside the test's data under a second file name.
    std::wstring secondProgram() const {
        const std::wstring target = root() / L"KavintaZwei.exe";
        EXPECT_TRUE(CopyFileW(programPath().c_str(), target.c_str(), FALSE)) << narrow(target);
        return target;
    }

    // Starts exe and brings copy's category into view.
    void startCopy(Copy& copy, const std::wstring& exe) {
        copy.process = &start(standardData(), exe);
        const auto window = KavintaWindow::waitFor(copy.process->pid(), kStartTimeout);
        ASSERT_TRUE(window.has_value()) << "no window of " << narrow(exe);
        copy.window = *window;
        ASSERT_TRUE(copy.window.waitCategoryShown(kShowTimeout));
        const auto names = copy.window.categories();
        const auto found = std::find(names.begin(), names.end(), copy.category);
        ASSERT_NE(found, names.end()) << narrow(copy.category);
        userSelectComboItem(copy.window.control(ids::kategorie), static_cast<int>(found - names.begin()));
        ASSERT_TRUE(waitUntil([&] { return copy.window.slotCaption(1) == copy.firstSlot; }, kShowTimeout))
            << narrow(copy.category) << " not shown";
    }

    // Each round toggles the fade-in option and types a new end time: both save at once.
    // A round waits for the click to be handled, so the copy saves as fast as it can.
    static void saveUntil(Copy& copy, Clock::time_point deadline) {
        while (Clock::now() < deadline) {
            const bool before = copy.window.checked(ids::auto_fi);
            copy.window.click(ids::auto_fi);
            if (!waitUntil([&] { return copy.window.checked(ids::auto_fi) != before; }, kSaveTimeout)) return;
            ++copy.rounds;
            setWindowText(copy.window.control(ids::jingleendezeit), std::to_wstring(copy.rounds * 10));
        }
    }

    // Visible windows of either copy besides the main windows, each noted once.
    void noteStrayWindows() {
        for (const Copy* copy : {&first_, &second_})
            for (HWND hwnd : topLevelWindows(copy->process->pid(), L"")) {
                if (hwnd == copy->window.hwnd() || !IsWindowVisible(hwnd)) continue;
                if (std::any_of(stray_.begin(), stray_.end(), [&](const StrayWindow& s) { return s.hwnd == hwnd; }))
                    continue;
                const MessageBoxInfo box = describeMessageBox(hwnd);
                stray_.push_back({hwnd, className(hwnd), box.caption, box.text, box.owner == copy->window.hwnd()});
            }
    }

    // Both copies save at once for a while; the driver watches for other windows meanwhile.
    void saveTogether() {
        const auto deadline = Clock::now() + kSavingTime;
        std::thread a([&] { saveUntil(first_, deadline); });
        std::thread b([&] { saveUntil(second_, deadline); });
        while (Clock::now() < deadline) {
            noteStrayWindows();
            Sleep(10);
        }
        a.join();
        b.join();
        noteStrayWindows();
        for (Copy* copy : {&first_, &second_}) {
            copy->fadeIn = copy->window.checked(ids::auto_fi);
            copy->endTime = copy->window.text(ids::jingleendezeit);
        }
    }

    // The section of copy holds its last save, key for key.
    static void expectLastSave(const IniSnapshot& ini, const Copy& copy) {
        SCOPED_TRACE(narrow(copy.category));
        RecordProperty(narrow(copy.category) + "_rounds", copy.rounds);
        EXPECT_GE(copy.rounds, kMinimumRounds);
        EXPECT_EQ(ini.keys(copy.category), categoryKeysInSaveOrder());
        EXPECT_EQ(ini.value(copy.category, L"Text1"), copy.firstSlot);
        EXPECT_EQ(ini.value(copy.category, L"fi"), copy.fadeIn ? L"1" : L"0");
        EXPECT_EQ(ini.value(copy.category, L"jingleendezeit"), copy.endTime);
        EXPECT_EQ(copy.endTime, std::to_wstring(copy.rounds * 10));
    }

    Copy first_, second_;
    std::vector<StrayWindow> stray_;
};

TEST_F(TwoCopies, SavingAtOnceLeavesTheFileWhole) {
    ASSERT_NO_FATAL_FAILURE(startCopy(first_, programPath()));
    ASSERT_NO_FATAL_FAILURE(startCopy(second_, secondProgram()));
    saveTogether();
    screenshot(second_.window.hwnd(), L"-second");
    screenshot(first_.window.hwnd());
    for (const StrayWindow& s : stray_)
        ADD_FAILURE() << "a copy showed a " << narrow(s.className) << " window \"" << narrow(s.caption)
                      << "\" (" << (s.ownedByMain ? "owned by its main window" : "not owned by its main window")
                      << "): \"" << narrow(s.text) << "\"";
    EXPECT_EQ(closeAndWait(second_.window, *second_.process), std::optional<DWORD>(0));
    EXPECT_EQ(closeAndWait(first_.window, *first_.process), std::optional<DWORD>(0));

    const IniSnapshot ini = readIni();
    EXPECT_EQ(ini.encoding(), TextEncoding::Utf16Le);
    EXPECT_EQ(ini.strayLines(), std::vector<std::wstring>{});
    std::vector<std::wstring> seen;
    for (const auto& section : ini.sections()) {
        EXPECT_FALSE(std::any_of(seen.begin(), seen.end(), [&](const auto& n) { return equalsIgnoreCase(n, section.name); }))
            << "[" << narrow(section.name) << "] twice";
        seen.push_back(section.name);
        std::vector<std::wstring> keys;
        for (const auto& entry : section.entries) {
            const std::wstring& key = entry.first;
            EXPECT_FALSE(std::any_of(keys.begin(), keys.end(), [&](const auto& k) { return equalsIgnoreCase(k, key); }))
                << "[" << narrow(section.name) << "] " << narrow(key) << " twice";
            keys.push_back(key);
        }
    }
    EXPECT_EQ(ini.keys(L"KONFIG"), kKonfigKeys);
    expectLastSave(ini, first_);
    expectLastSave(ini, second_);
}

}  // namespace
}  // namespace kv::e2e
