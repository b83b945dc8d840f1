#pragma once
// The place where a visual style draws a combo box without replacing it: the box stays the
// system's drop-down list (its keys, its incremental search, its list window, what screen
// readers learn of it), and the style only paints. A view given a look creates its box with
// CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, so that the entries keep their texts for everyone who
// asks (CB_GETLBTEXT, accessibility) while the look draws them. Without a look the box is the
// plain system control.
#include <windows.h>

#include <string>

namespace kv::ui::win32 {

class ComboBoxLook {
public:
    virtual ~ComboBoxLook() = default;
    // The height of one entry, in the list and in the closed box's face, in window pixels.
    virtual int itemHeight() const = 0;
    // Draws one entry (WM_DRAWITEM): in the open list, or in the face when itemState has
    // ODS_COMBOBOXEDIT. text is the entry's text, empty when nothing is selected.
    virtual void drawItem(const DRAWITEMSTRUCT& item, const std::wstring& text) = 0;
    // The colours of the open list and the face behind the entries (WM_CTLCOLORLISTBOX):
    // sets the DC's colours and returns the background brush, or nullptr for the system's.
    virtual HBRUSH listColours(HDC dc) = 0;
    // Paints the whole closed box (frame, arrow button, face) into dc when the look wants
    // to draw more than the entries; false leaves the painting to the control.
    virtual bool paintFace(HWND box, HDC dc) = 0;
};

}  // namespace kv::ui::win32
