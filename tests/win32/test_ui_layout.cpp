// Every caption of the main window fits its control in the fonts the window uses, so no
// text is cut or wrapped away.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeServices.h"
#include "ui/MainUnit.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/MessageLoop.h"

namespace {

using namespace kv;
using namespace kv::ui;

// Room a check box or radio button needs beside its text for the box and the gap.
constexpr int kCheckMarkRoom = 18;
// Room a push button needs around its caption for its edges.
constexpr int kButtonEdgeRoom = 8;

int textWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return r.right - r.left;
}

TEST(MainWindowLayout, EveryCaptionFitsItsControl) {
    test::FakeServices fakes;
    TKavintamainform form(fakes.services());
    win32::Win32MainWindow window(form);
    window.start(SW_HIDE);
    win32::processPendingMessages(window.hwnd(), window.accelerators());  // creates the children
    ASSERT_TRUE(window.hasChildren());
    // Captions at their longest: slots show "unbelegt" once a category is loaded.
    for (int n = 1; n <= TKavintamainform::kSlotCount; ++n) form.slot(n).setText(fakes.texts.text(TextId::Unbelegt));

    for (Control* control : form.controls()) {
        int room = 0;
        switch (control->kind()) {
            case ControlKind::Label: room = 0; break;
            case ControlKind::CheckBox:
            case ControlKind::RadioButton: room = kCheckMarkRoom; break;
            case ControlKind::Button: room = kButtonEdgeRoom; break;
            default: continue;
        }
        // The data folder label wraps a long path over its two lines by design.
        if (control->id() == form.datenpfadlabel.id()) continue;
        HWND child = GetDlgItem(window.hwnd(), control->id());
        ASSERT_NE(child, nullptr) << control->name();
        const std::wstring caption = control->text();
        RECT client{};
        GetClientRect(child, &client);
        EXPECT_LE(textWidth(child, caption) + room, client.right)
            << control->name() << " \"" << std::string(caption.begin(), caption.end()) << "\" needs "
            << textWidth(child, caption) + room << " pixels, has " << client.right;
    }
}

}  // namespace
