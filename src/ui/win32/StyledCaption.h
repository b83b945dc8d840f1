#pragma once
// The window's caption in the active style, where Windows lets a program colour it (Windows 11:
// the caption and its text colour; the dark frame for dark styles). dwmapi.dll is loaded only
// when a style first asks for it; every failure (older Windows, Wine) leaves the caption as
// the system draws it.
#include <windows.h>

#include "ui/win32/StyleLook.h"

namespace kv::ui::win32 {

class CaptionColours {
public:
    // Gives the caption the look's colours, or the system's back while the look has no style.
    void apply(HWND window, const StyleLook& look);

private:
    bool changed_ = false;  // the system's colours are given back only after a change
};

}  // namespace kv::ui::win32
