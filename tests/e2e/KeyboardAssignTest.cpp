// A slot assigned from the keyboard: the focus starts on the category box, Tab reaches the
// slot buttons, and Shift+F10 or the context-menu key on a slot opens the file dialog and
// then the caption query, as the right mouse button does.
#include "E2eFixture.h"
#include "kvdriver/Dialogs.h"

namespace kv::e2e {
namespace {

constexpr Millis kDialogTimeout{10000};

const std::wstring kOneCategory = L"[Werbung]\r\nText1=Spot\r\n";

INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Presses the keys together (in order) and releases them (in reverse order), as real input.
void typeChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(keyInput(key, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs.push_back(keyInput(*it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The window with the keyboard focus in the thread of window's process.
HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

class KeyboardAssign : public E2eTest {
protected:
    void SetUp() override {
        writeIni(kOneCategory);
        createFolders(mediaFolder());
        ASSERT_TRUE(writeFileBytes(mediaFolder() + L"\\Morgen.wav", {'R', 'I', 'F', 'F'}));
    }
    std::wstring mediaFolder() const { return root() / L"media"; }

    // The open dialog, a file chosen in it, and the caption query answered with caption.
    void assignThroughTheDialogs(const KavintaWindow& window, const std::wstring& caption) {
        const auto dialog = waitOpenDialog(process().pid(), kDialogTimeout);
        ASSERT_TRUE(dialog.has_value()) << "no open dialog after the key";
        EXPECT_EQ(dialog->owner, window.hwnd());
        chooseFile(*dialog, mediaFolder() + L"\\Morgen.wav");
        const auto query = waitInputQuery(process().pid(), kDialogTimeout);
        ASSERT_TRUE(query.has_value()) << "no caption query after the file";
        EXPECT_EQ(query->caption, L"Jingle ändern");
        EXPECT_EQ(query->value, L"Morgen");
        answerInputQuery(*query, caption);
        ASSERT_TRUE(waitDialogClosed(query->hwnd, kDialogTimeout));
    }
};

TEST_F(KeyboardAssign, TabToASlotAndShiftF10AssignsIt) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    SetForegroundWindow(window.hwnd());
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == window.hwnd(); }, kShowTimeout));
    ASSERT_TRUE(waitUntil([&] { return focusOf(window.hwnd()) == window.control(ids::kategorie); }, kShowTimeout))
        << "the focus starts on the category box";

    for (int i = 0; i < 4; ++i) typeChord({VK_TAB});  // "neu", "entf.", J1, J2
    ASSERT_TRUE(waitUntil([&] { return focusOf(window.hwnd()) == window.control(ids::J1 + 1); }, kShowTimeout))
        << "Tab walks to the second slot";
    typeChord({VK_SHIFT, VK_F10});
    assignThroughTheDialogs(window, L"Guten Morgen");
    EXPECT_TRUE(waitIniValue(L"Werbung", L"Text2", L"Guten Morgen"));
    EXPECT_TRUE(waitIniValue(L"Werbung", L"Jingle2", mediaFolder() + L"\\Morgen.wav"));
    EXPECT_EQ(window.slotCaption(2), L"Guten Morgen");
    // A fired slot, even an unassigned one, leaves its error in the status bar.
    EXPECT_EQ(statusBarText(window.control(ids::StatusBarMain), 0), L"") << "Shift+F10 fired a slot";
    EXPECT_EQ(focusOf(window.hwnd()), window.control(ids::J1 + 1)) << "the focus is back on the slot";
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(KeyboardAssign, ContextMenuKeyOnASlotAssignsIt) {
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND slot = window.control(ids::J1 + 4);
    // The key as the program's message loop receives it for the focused slot.
    PostMessageW(slot, WM_KEYDOWN, VK_APPS, 1);
    PostMessageW(slot, WM_KEYUP, VK_APPS, 0xC0000001);
    assignThroughTheDialogs(window, L"Fünf");
    EXPECT_TRUE(waitIniValue(L"Werbung", L"Text5", L"Fünf"));
    EXPECT_EQ(window.slotCaption(5), L"Fünf");
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kv::e2e
