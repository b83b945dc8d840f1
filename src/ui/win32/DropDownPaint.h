#pragma once
// How the drop-down list box and its open list are drawn: the system's look, themed or
// classic. The box gives what it shows at the moment; the colours its parent chose are
// selected into the DC already.
#include <windows.h>
#include <uxtheme.h>

#include <string>
#include <vector>

namespace kv::ui::win32 {

struct DropDownFace {
    RECT client{};
    const std::wstring* text = nullptr;  // the selected entry, if any
    HFONT font = nullptr;
    HBRUSH background = nullptr;
    HTHEME theme = nullptr;  // none: the classic look
    bool enabled = true;
    bool marked = false;  // focused while closed: the entry shows as selected text
    bool open = false;
    bool hot = false;  // under the mouse
};

// The closed box: frame, arrow button and the selected entry.
void paintDropDownFace(HDC dc, const DropDownFace& face);

struct DropDownRows {
    RECT client{};
    const std::vector<std::wstring>* items = nullptr;
    int top = 0;        // the first entry shown
    int rows = 0;       // the rows shown
    int rowHeight = 1;  // pixels
    int highlight = -1;
    HFONT font = nullptr;
    HBRUSH background = nullptr;
};

// The open list's rows, the marked one highlighted.
void paintDropDownRows(HDC dc, const DropDownRows& rows);

}  // namespace kv::ui::win32
