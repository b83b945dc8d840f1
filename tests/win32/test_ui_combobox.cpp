// The combo box view: the system's drop-down list showing a ComboBox model, the operator's
// keys reaching the model, the list refilled when it opens, and the hook where a style
// draws the box. The view's parent here hands on what the main window hands on.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/controls/ComboBox.h"
#include "ui/win32/ComboBoxLook.h"
#include "ui/win32/ControlViews.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/UiScale.h"
#include "ui/win32/WindowClass.h"

namespace {

using namespace kv::ui;
using namespace kv::ui::win32;

constexpr int kBoxId = 77;
constexpr wchar_t kParentClass[] = L"KvComboBoxTestParent";

// A style's drawing that records what it was asked to draw.
class RecordingLook final : public ComboBoxLook {
public:
    static constexpr COLORREF kListText = RGB(200, 10, 10);
    int itemHeight() const override { return 19; }
    void drawItem(const DRAWITEMSTRUCT& item, const std::wstring& text) override {
        (item.itemState & ODS_COMBOBOXEDIT ? faceTexts : listTexts).push_back(text);
        FillRect(item.hDC, &item.rcItem, brush_);
    }
    HBRUSH listColours(HDC dc) override {
        ++colourRequests;
        SetTextColor(dc, kListText);
        return brush_;
    }
    bool paintFace(HWND, HDC) override {
        ++facePaints;
        return false;  // the control paints its frame and asks for the entry
    }
    ~RecordingLook() override { DeleteObject(brush_); }

    std::vector<std::wstring> faceTexts, listTexts;
    int colourRequests = 0, facePaints = 0;

private:
    HBRUSH brush_ = CreateSolidBrush(RGB(30, 30, 60));
};

class ComboBoxViewTest : public ::testing::Test {
protected:
    ComboBox model{kBoxId, "box", {10, 10, 200, 21}};
    UiScale scale;
    FontCache fonts{scale};
    HWND parent = nullptr;
    std::unique_ptr<ComboBoxView> view;
    int selChangesToParent = 0;
    int changes = 0;

    ComboBoxViewTest() {
        WNDCLASSEXW wc{};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kParentClass;
        registerWindowClassOnce(wc);
        parent = CreateWindowExW(WS_EX_TOOLWINDOW, kParentClass, L"", WS_POPUP | WS_VISIBLE, 60, 60, 320, 240,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        model.onChange = [this] { ++changes; };
    }
    ~ComboBoxViewTest() override {
        view.reset();
        DestroyWindow(parent);
    }

    void create(ComboBoxLook* look = nullptr) {
        ViewContext context{parent, GetModuleHandleW(nullptr), &scale, &fonts};
        context.comboLook = look;
        view = std::make_unique<ComboBoxView>(model, context);
    }
    HWND box() const { return view->hwnd(); }
    HWND list() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        return GetComboBoxInfo(box(), &info) ? info.hwndList : nullptr;
    }
    std::vector<std::wstring> shownEntries() const {
        std::vector<std::wstring> entries;
        const auto count = SendMessageW(box(), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[128] = {};
            SendMessageW(box(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.emplace_back(text);
        }
        return entries;
    }
    int shownSelection() const { return static_cast<int>(SendMessageW(box(), CB_GETCURSEL, 0, 0)); }
    bool dropped() const { return SendMessageW(box(), CB_GETDROPPEDSTATE, 0, 0) != FALSE; }
    void key(UINT message, WPARAM code) { SendMessageW(box(), message, code, 1); }
    void pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }

    // Hands the box's notifications and drawing requests to the view, as the main window does.
    static LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ComboBoxViewTest*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && self->view && self->view->hwnd()) {
            switch (message) {
                case WM_COMMAND:
                    if (HIWORD(wParam) == CBN_SELCHANGE) ++self->selChangesToParent;
                    self->view->onCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam));
                    return 0;
                case WM_DRAWITEM:
                    if (self->view->onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
                    break;
                case WM_CTLCOLORLISTBOX:
                    if (HBRUSH brush = self->view->onCtlColor(reinterpret_cast<HDC>(wParam)))
                        return reinterpret_cast<LRESULT>(brush);
                    break;
                default: break;
            }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

LONG_PTR styleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST_F(ComboBoxViewTest, IsThePlainSystemDropDownListThatLeavesTheOrderToTheModel) {
    create();
    EXPECT_EQ(classOf(box()), WC_COMBOBOXW);
    const LONG_PTR style = styleOf(box());
    EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_FALSE(style & CBS_SORT) << "the model keeps the order";
    EXPECT_FALSE(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS))
        << "without a style the system draws the box";
    EXPECT_NE(list(), nullptr) << "the system's list window";
}

TEST_F(ComboBoxViewTest, EntriesFollowTheModelInItsOrderThroughEveryChange) {
    model.addItem(L"zeta");
    model.addItem(L"Alpha");
    create();  // entries the model held before the box existed
    EXPECT_EQ(shownEntries(), model.items());
    model.addItem(L"mid");
    EXPECT_EQ(shownEntries(), (std::vector<std::wstring>{L"zeta", L"Alpha", L"mid"})) << "in the order of adding";
    model.setSorted(true);
    EXPECT_EQ(shownEntries(), (std::vector<std::wstring>{L"Alpha", L"mid", L"zeta"}));
    model.addItem(L"beta");
    model.addItem(L"omega");
    EXPECT_EQ(shownEntries(), model.items());
    model.deleteItem(0);
    EXPECT_EQ(shownEntries(), model.items());
    model.deleteItem(model.count() - 1);
    EXPECT_EQ(shownEntries(), model.items());
    model.clear();
    EXPECT_TRUE(shownEntries().empty());
}

TEST_F(ComboBoxViewTest, SelectionShowsAndStaysOnItsEntryWhenEntriesComeAndGo) {
    model.setSorted(true);
    for (const wchar_t* name : {L"Nachrichten", L"Werbung"}) model.addItem(name);
    model.setItemIndex(1);
    create();
    EXPECT_EQ(shownSelection(), 1);
    model.addItem(L"Allgemein");  // sorts in before the selected entry
    ASSERT_EQ(model.itemIndex(), 2);
    EXPECT_EQ(shownSelection(), 2);
    wchar_t shown[64] = {};
    GetWindowTextW(box(), shown, 64);
    EXPECT_STREQ(shown, L"Werbung");
    model.setItemIndex(-1);
    EXPECT_EQ(shownSelection(), -1);
}

TEST_F(ComboBoxViewTest, SelectionMadeByTheProgramIsSilent) {
    for (const wchar_t* name : {L"a", L"b", L"c"}) model.addItem(name);
    create();
    model.setItemIndex(2);
    model.addItem(L"d");
    model.deleteItem(0);
    model.setItemIndex(0);
    model.clear();
    pump();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(selChangesToParent, 0);
}

TEST_F(ComboBoxViewTest, OperatorsKeysAndTypedLettersReachTheModelsChange) {
    model.setSorted(true);
    for (const wchar_t* name : {L"Allgemein", L"Nachrichten", L"Werbung", L"Wetter"}) model.addItem(name);
    model.setItemIndex(0);
    create();
    key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(model.itemIndex(), 1);
    EXPECT_EQ(changes, 1);
    key(WM_CHAR, L'w');
    EXPECT_EQ(model.itemIndex(), 2) << "the system's search by typed letters";
    EXPECT_EQ(model.text(), L"Werbung");
    EXPECT_EQ(changes, 2);
    key(WM_KEYDOWN, VK_END);
    EXPECT_EQ(model.text(), L"Wetter");
    EXPECT_EQ(changes, 3);
}

TEST_F(ComboBoxViewTest, OpeningTheListTellsTheModelFirstSoThatItCanRefillTheList) {
    model.addItem(L"stale");
    create();
    int dropDowns = 0;
    bool openAlready = true;
    model.onDropDown = [&] {
        ++dropDowns;
        openAlready = dropped() || IsWindowVisible(list());
        model.clear();
        for (const wchar_t* name : {L"Spotify", L"Browser", L"Player"}) model.addItem(name);
    };
    key(WM_KEYDOWN, VK_F4);  // the keyboard's way to open the list
    pump();
    EXPECT_EQ(dropDowns, 1);
    EXPECT_FALSE(openAlready) << "told before the list opens";
    ASSERT_TRUE(dropped());
    EXPECT_EQ(SendMessageW(list(), LB_GETCOUNT, 0, 0), 3) << "the open list holds the new entries";
    wchar_t first[64] = {};
    SendMessageW(list(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"Spotify");
    RECT open{};
    GetWindowRect(list(), &open);
    EXPECT_GE(open.bottom - open.top, 3 * 13) << "the list is tall enough for its entries";

    key(WM_KEYDOWN, VK_DOWN);
    key(WM_KEYDOWN, VK_RETURN);
    pump();
    EXPECT_FALSE(dropped());
    EXPECT_EQ(model.text(), L"Spotify") << "picked in the open list";
    EXPECT_GE(changes, 1);
}

TEST_F(ComboBoxViewTest, LongListOpensWithItsRowsAndAScrollBar) {
    for (int i = 0; i < 30; ++i) model.addItem(L"Design " + std::to_wstring(i));
    create();
    SendMessageW(box(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(dropped());
    RECT open{};
    GetClientRect(list(), &open);
    const auto row = SendMessageW(list(), LB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(row, 0);
    EXPECT_EQ(open.bottom / row, ComboBoxView::kListRows);
    EXPECT_TRUE(styleOf(list()) & WS_VSCROLL) << "the rest is reached by scrolling";
    SendMessageW(box(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboBoxViewTest, StyleDrawsEntriesListColoursAndFaceOfTheSameSystemBox) {
    RecordingLook look;
    for (const wchar_t* name : {L"Windows", L"Glow", L"Sky"}) model.addItem(name);
    model.setItemIndex(1);
    create(&look);
    const LONG_PTR style = styleOf(box());
    EXPECT_EQ(classOf(box()), WC_COMBOBOXW);
    EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
    EXPECT_TRUE(style & CBS_OWNERDRAWFIXED);
    EXPECT_TRUE(style & CBS_HASSTRINGS) << "the entries keep their texts for everyone who asks";
    EXPECT_EQ(shownEntries(), model.items());
    EXPECT_EQ(SendMessageW(box(), CB_GETITEMHEIGHT, 0, 0), look.itemHeight());

    RedrawWindow(box(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(look.facePaints, 1);
    ASSERT_FALSE(look.faceTexts.empty()) << "the face's entry is the style's to draw";
    EXPECT_EQ(look.faceTexts.back(), L"Glow");

    SendMessageW(box(), CB_SHOWDROPDOWN, TRUE, 0);
    RedrawWindow(list(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(look.listTexts, model.items()) << "every entry of the open list";
    EXPECT_GE(look.colourRequests, 1) << "the list's colours";
    SendMessageW(box(), CB_SHOWDROPDOWN, FALSE, 0);
}

}  // namespace
