#include "ui/win32/StyledCaption.h"

#include "app/win32/LazyLibrary.h"
#include "ui/StyleStates.h"

namespace kv::ui::win32 {

namespace {

constexpr DWORD kUseDarkMode = 20;   // DWMWA_USE_IMMERSIVE_DARK_MODE
constexpr DWORD kCaptionColour = 35;  // DWMWA_CAPTION_COLOR
constexpr DWORD kTextColour = 36;     // DWMWA_TEXT_COLOR
constexpr COLORREF kSystemColour = 0xFFFFFFFF;  // DWMWA_COLOR_DEFAULT

using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

SetAttribute setAttribute() {
    static const kv::LazyLibrary dwm(L"dwmapi.dll");
    static const SetAttribute function = dwm.function<SetAttribute>("DwmSetWindowAttribute");
    return function;
}

void set(SetAttribute function, HWND window, DWORD attribute, DWORD value) {
    function(window, attribute, &value, sizeof(value));  // refused where not supported
}

}  // namespace

void CaptionColours::apply(HWND window, const StyleLook& look) {
    const StyleData* style = look.style();
    if (!window || (!style && !changed_)) return;
    const SetAttribute function = setAttribute();
    if (!function) return;
    if (style) {
        set(function, window, kUseDarkMode, isDarkColour(style->colour(StyleRole::Caption)) ? TRUE : FALSE);
        set(function, window, kCaptionColour, look.colour(StyleRole::Caption));
        set(function, window, kTextColour, look.colour(StyleRole::CaptionText));
        changed_ = true;
    } else {
        set(function, window, kUseDarkMode, FALSE);
        set(function, window, kCaptionColour, kSystemColour);
        set(function, window, kTextColour, kSystemColour);
        changed_ = false;
    }
}

}  // namespace kv::ui::win32
