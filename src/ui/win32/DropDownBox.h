#pragma once
// One drop-down list box (see DropDownList.h): its entries, its selection and its open
// list. DropDownBox.cpp holds the box and its entries, DropDownBoxList.cpp the open list;
// the window procedures in DropDownList.cpp hand both their messages.
#include <windows.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/win32/DropDownList.h"
#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

inline constexpr wchar_t kDropDownRowsClass[] = L"KvDropDownListRows";  // the open list

struct ThemeTraits {
    static void free(HTHEME theme) noexcept { CloseThemeData(theme); }
};
using UniqueTheme = kv::UniqueResource<HTHEME, ThemeTraits>;

class DropDownBox {
public:
    explicit DropDownBox(HWND box) : box_(box) {}
    ~DropDownBox();
    DropDownBox(const DropDownBox&) = delete;
    DropDownBox& operator=(const DropDownBox&) = delete;

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleList(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

private:
    int count() const { return static_cast<int>(items_.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    bool open() const { return static_cast<bool>(list_); }

    // --- the box
    void paint(HDC dc, bool onParentBackground);
    HBRUSH colours(HDC dc) const;
    HTHEME theme() const { return theme_.get(); }
    void openTheme();
    HFONT font() const;
    int rowHeight();
    void invalidate() const;
    void notify(int code) const;
    UINT dialogCode(const MSG* message) const;
    void select(int index);
    bool onKey(WPARAM key);
    void onChar(wchar_t ch);
    void onWheel(int delta);
    void onMouseMove();

    // --- the list
    void openList();
    void closeList(bool pick);
    void moveHighlight(int index);
    void scrollTo(int top);
    int listRows() const { return std::clamp(count(), 1, kDropDownListRows); }
    int rowAt(POINT clientPoint) const;
    void paintList(HWND list, HDC dc);
    void onListButtonDown(HWND list, POINT clientPoint);
    void onListButtonUp(POINT clientPoint);
    void onListScroll(HWND list, int code);
    void listChanged();

    // --- the entries
    LRESULT insert(WPARAM index, LPARAM text);
    LRESULT erase(WPARAM index);
    LRESULT setSelection(WPARAM index);
    LRESULT copyEntry(WPARAM index, LPARAM buffer) const;
    LRESULT copyText(WPARAM size, LPARAM buffer) const;

    HWND box_;
    UniqueWindow list_;
    UniqueTheme theme_;  // none: classic look
    HFONT font_ = nullptr;
    int rowHeight_ = 0;
    bool redraw_ = true;
    std::vector<std::wstring> items_;
    int selection_ = -1;
    int highlight_ = -1;  // the entry marked in the open list
    int top_ = 0;         // the first entry the open list shows
    bool hot_ = false;    // the mouse is over the box
    // A release on a row picks it: the press began in the list, or the press that opened
    // the list was dragged into it.
    bool releasePicks_ = false;
    bool scrolling_ = false;  // the list's scroll bar holds the mouse
};

}  // namespace kv::ui::win32
