#pragma once
// The combo boxes in the active style: the entries of the open list and of the closed face,
// the list's colours, and the face with its frame and arrow button. Views are given this
// look only while a style is active (see ComboBoxView::coloursChanged).
#include <windows.h>

#include <string>

#include "ui/win32/ComboBoxLook.h"
#include "ui/win32/StyleLook.h"
#include "ui/win32/UiScale.h"

namespace kv::ui::win32 {

class StyledComboLook final : public ComboBoxLook {
public:
    StyledComboLook(const StyleLook& look, const UiScale& scale) : look_(look), scale_(scale) {}

    int itemHeight() const override;
    void drawItem(const DRAWITEMSTRUCT& item, const std::wstring& text) override;
    HBRUSH listColours(HDC dc) override;
    bool paintFace(HWND box, HDC dc) override;

private:
    // One entry in rect: in the face (face true) or in the open list.
    void drawEntry(HDC dc, HWND box, RECT r, const std::wstring& text, bool selected, bool face, bool enabled) const;
    const StyleLook& look_;
    const UiScale& scale_;
};

}  // namespace kv::ui::win32
