#pragma once
// A drop-down list box that draws itself and has a list window only while it is open.
//
// The system combo box creates a hidden top-level list window with every box, and under
// Wine each top-level window is an X window: the three boxes of the main window cost more
// to create than all its other controls together. This box creates its list when the
// operator opens it and destroys it when it closes.
//
// To the program and its tools it is a drop-down list combo box: it answers CB_ADDSTRING,
// CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT, CB_GETCURSEL,
// CB_SETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_SHOWDROPDOWN and CB_GETDROPPEDSTATE,
// gives the selected entry as its window text, and tells its parent what the operator did
// with CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE, CBN_SETFOCUS and CBN_KILLFOCUS. Its colours
// come from the parent's WM_CTLCOLORLISTBOX, as a combo box's do.
#include <windows.h>

namespace kv::ui::win32 {

inline constexpr wchar_t kDropDownListClass[] = L"KvDropDownList";

// The rows the open list shows at most before it scrolls.
inline constexpr int kDropDownListRows = 8;

// Registers the box's window classes for this module; later calls do nothing.
void registerDropDownList(HINSTANCE instance);

}  // namespace kv::ui::win32
