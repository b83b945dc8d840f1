// The start-up baseline: what a plain Win32 program pays for a window like Kavinta's main
// window. Same client size (403 x 471), the same kinds and number of system controls at the
// same places (three drop-down combo boxes, sixteen push buttons with the twelve slots,
// three small flat buttons, seven check boxes, three radio buttons, two group boxes, a
// separator, twelve labels, two edits with up-down buttons, a track bar, a status bar), in
// Tahoma 8 with the program's manifest (common controls 6). Like the program it reads the
// section names of %APPDATA%\Kavinta\KV.ini while the window is created and starts a 100 ms
// timer with the window; the tick selects the first category and shows its slot texts.
// The benchmark finds the controls by the program's ids, so both are asked the same way.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/ControlIds.h"

namespace {

namespace ids = kv::ui::ids;

constexpr wchar_t kClassName[] = L"KvBareWindow";
constexpr int kClientWidth = 403, kClientHeight = 471;
constexpr UINT_PTR kStartTimer = 1;
constexpr int kSlots = 12;

enum class Face { Normal, Bold, Title };

struct ChildSpec {
    int id;
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    int x, y, w, h;
    Face face = Face::Normal;
    DWORD exStyle = 0;
};

constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_CHECKBOX | WS_TABSTOP;
constexpr DWORD kRadio = BS_RADIOBUTTON | WS_TABSTOP;
constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kSortedCombo = kCombo | CBS_SORT;
// A group box paints only its frame: the window's background must be painted beneath it.
constexpr DWORD kGroupBoxEx = WS_EX_TRANSPARENT;
constexpr DWORD kFlat = BS_PUSHBUTTON | BS_FLAT;
constexpr DWORD kEdit = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr int kComboListHeight = 8 * 14 + 2;  // eight rows open

// Every child but the slot buttons, the up-down buttons and the status bar, in the
// program's creation order.
const ChildSpec kChildren[] = {
    {ids::Label3, L"STATIC", L"Kategorie", kLabel, 6, 4, 84, 20, Face::Title},
    {ids::kategorie, WC_COMBOBOXW, L"", kSortedCombo, 92, 4, 198, 21 + kComboListHeight},
    {ids::KAT_neu, L"BUTTON", L"neu", kButton, 294, 3, 52, 23},
    {ids::Kat_loeschen, L"BUTTON", L"entf.", kButton, 349, 3, 52, 23},
    {ids::box_main, L"BUTTON", L"Jingles F1 - F12", BS_GROUPBOX | WS_CLIPSIBLINGS, 2, 28, 399, 93, Face::Bold, kGroupBoxEx},
    {ids::Label1, L"STATIC", L"Belegen der Buttons mit der rechten Maustaste m\u00f6glich.", kLabel, 58, 104,
     338, 14, Face::Bold},
    {ids::fensterkleingross, L"BUTTON", L"", kFlat, 4, 106, 47, 13},
    {ids::Jinglestatus, L"STATIC", L"(- -)", kLabel, 150, 28, 200, 14, Face::Bold},
    {ids::GroupBox2, L"BUTTON", L"Konfiguration und Player Anbindung", BS_GROUPBOX | WS_CLIPSIBLINGS, 2, 124, 399, 214, Face::Bold, kGroupBoxEx},
    {ids::c_mfade_Zentrix, L"BUTTON", L"\u00fcber Tribolo (1/2 Playerbetrieb)", kRadio, 10, 142, 250, 17},
    {ids::c_mfade_winamp, L"BUTTON", L"Winamp (direkt)", kRadio, 10, 160, 250, 17},
    {ids::c_mfade_mixer, L"BUTTON", L"Windows Mixer", kRadio, 10, 179, 100, 17},
    {ids::cb_mfade_mixer, WC_COMBOBOXW, L"", kCombo, 112, 177, 282, 21 + kComboListHeight},
    {ids::Panel1, L"STATIC", L"", SS_ETCHEDFRAME, 10, 202, 384, 2},
    {ids::auto_fo_mit, L"BUTTON", L"Fadeout mit Jingle", kCheck, 10, 208, 185, 17},
    {ids::auto_fo_vor, L"BUTTON", L"Fadeout vor Jingle", kCheck, 200, 208, 194, 17},
    {ids::auto_fi, L"BUTTON", L"Fadein nach/mit Jingleende", kCheck, 10, 227, 185, 17},
    {ids::auto_crossfade, L"BUTTON", L"Crossfade+Aktionen nach Jingle", kCheck, 200, 227, 194, 17},
    {ids::Label5, L"STATIC", L"Fadein/Crossfade ", kLabel, 10, 251, 96, 14},
    {ids::jingleendezeit, L"EDIT", L"0", kEdit, 108, 248, 66, 21, Face::Normal, WS_EX_CLIENTEDGE},
    {ids::Label4, L"STATIC", L"ms vor dem Jingleende ausf\u00fchren", kLabel, 180, 251, 214, 14},
    {ids::Label6, L"STATIC", L"Fadeout bis Pos:", kLabel, 10, 280, 92, 14},
    {ids::Fadeoutpos, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | WS_TABSTOP, 100, 274, 294, 28},
    {ids::jingletimereinaus, L"BUTTON", L"zuf\u00e4lliges Jingle einspielen aller ", kCheck, 10, 308, 196, 17},
    {ids::jingletimerval, L"EDIT", L"30", kEdit, 208, 306, 50, 21, Face::Normal, WS_EX_CLIENTEDGE},
    {ids::Label8, L"STATIC", L"Minuten", kLabel, 262, 309, 44, 14},
    {ids::l_jingletimer, L"STATIC", L"(  )", kLabel, 308, 309, 86, 14},
    {ids::Label9, L"STATIC", L"(m\u00f6glichst alle Jinglebuttons belegen f\u00fcr diese Funktion)", kLabel, 26, 322,
     368, 14},
    {ids::c_fensterimvordergrund, L"BUTTON", L"Dieses Fenster immer im Vordergrund halten", kCheck, 10, 344, 300, 17},
    {ids::c_fensterskalieren, L"BUTTON", L"Dieses Fenster skalieren (Hochaufl\u00f6sende Monitore)", kCheck, 10, 363,
     300, 17},
    {ids::B_lng_DE, L"BUTTON", L"", kFlat, 330, 343, 30, 20},
    {ids::B_lng_EN, L"BUTTON", L"", kFlat, 366, 343, 30, 20},
    {ids::Label2, L"STATIC", L"Design:", kLabel, 10, 392, 44, 14},
    {ids::cbStyle, WC_COMBOBOXW, L"", kCombo, 56, 388, 196, 21 + kComboListHeight},
    {ids::b_styleanwenden, L"BUTTON", L"anwenden", kButton, 258, 387, 70, 23},
    {ids::B_info, L"BUTTON", L"Info", kButton, 332, 387, 64, 23},
    {ids::Label7, L"STATIC", L"Datenpfad:", kLabel, 10, 420, 60, 14},
    {ids::datenpfadlabel, L"STATIC", L"(--)", SS_LEFT | SS_NOPREFIX, 72, 420, 326, 28},
};

struct Fonts {
    HFONT normal = nullptr, bold = nullptr, title = nullptr;
    HFONT of(Face face) const { return face == Face::Title ? title : face == Face::Bold ? bold : normal; }
};
Fonts fonts;

HFONT tahoma(int height, int weight) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

std::wstring iniPath() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH);
    return std::wstring(buffer, n) + L"\\Kavinta\\KV.ini";
}

// The strings of a double-null-terminated list.
std::vector<std::wstring> splitList(const std::vector<wchar_t>& buffer, DWORD length) {
    std::vector<std::wstring> items;
    for (DWORD i = 0; i < length && buffer[i] != L'\0';) {
        items.emplace_back(&buffer[i]);
        i += static_cast<DWORD>(items.back().size()) + 1;
    }
    return items;
}

std::vector<std::wstring> sectionNames(const std::wstring& file) {
    std::vector<wchar_t> buffer(32768, L'\0');
    const DWORD n = GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    return splitList(buffer, n);
}

HWND createChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                 int id, Face face = Face::Normal, DWORD exStyle = 0) {
    HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.of(face)), FALSE);
    return child;
}

void addItem(HWND combo, const std::wstring& text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void fillCombos(HWND window) {
    HWND categories = GetDlgItem(window, ids::kategorie);
    for (const auto& name : sectionNames(iniPath()))
        if (lstrcmpiW(name.c_str(), L"KONFIG") != 0) addItem(categories, name);
    HWND styles = GetDlgItem(window, ids::cbStyle);
    addItem(styles, L"Windows");
    addItem(styles, L"------------");
    for (int i = 1; i <= 39; ++i) addItem(styles, L"Design " + std::to_wstring(i));
    SendMessageW(styles, CB_SETCURSEL, 0, 0);
}

// Creates the child at its place: each spin edit gets its up-down buddy, the slot buttons
// come right after the first group box, as in the program.
void createChildren(HWND window) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&init);
    for (const ChildSpec& c : kChildren) {
        HWND child = createChild(window, c.cls, c.text, c.style, c.x, c.y, c.w, c.h, c.id, c.face, c.exStyle);
        if (c.id == ids::box_main) {
            for (int i = 0; i < kSlots; ++i)
                createChild(window, L"BUTTON", L"- -", kButton, 6 + (i % 6) * 65, 46 + (i / 6) * 28, 63, 26,
                            ids::J1 + i);
        }
        if (c.exStyle & WS_EX_CLIENTEDGE) {
            HWND upDown = CreateWindowExW(0, UPDOWN_CLASSW, nullptr,
                                          WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                              UDS_ALIGNRIGHT | UDS_NOTHOUSANDS,
                                          0, 0, 0, 0, window, nullptr, GetModuleHandleW(nullptr), nullptr);
            SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(child), 0);
            SendMessageW(upDown, UDM_SETRANGE32, 0, 999);
        }
    }
    HWND bar = createChild(window, STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY | CCS_NODIVIDER, 0,
                           kClientHeight - 19, kClientWidth, 19, ids::StatusBarMain);
    int edge = 300;
    SendMessageW(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
    SendMessageW(GetDlgItem(window, ids::Fadeoutpos), TBM_SETRANGEMAX, FALSE, 100);
    SendMessageW(GetDlgItem(window, ids::Fadeoutpos), TBM_SETTICFREQ, 10, 0);
    for (int id : {ids::box_main, ids::GroupBox2})
        SetWindowPos(GetDlgItem(window, id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    fillCombos(window);
}

// The tick: the first category is selected and its slot texts shown.
void showFirstCategory(HWND window) {
    HWND categories = GetDlgItem(window, ids::kategorie);
    if (SendMessageW(categories, CB_GETCOUNT, 0, 0) <= 0) return;
    SendMessageW(categories, CB_SETCURSEL, 0, 0);
    wchar_t name[256] = {};
    SendMessageW(categories, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
    std::vector<wchar_t> buffer(32768, L'\0');
    const DWORD n = GetPrivateProfileSectionW(name, buffer.data(), static_cast<DWORD>(buffer.size()),
                                              iniPath().c_str());
    const std::vector<std::wstring> lines = splitList(buffer, n);
    for (int i = 0; i < kSlots; ++i) {
        const std::wstring key = L"Text" + std::to_wstring(i + 1) + L"=";
        std::wstring text = L"unbelegt";
        for (const auto& line : lines)
            if (line.compare(0, key.size(), key) == 0) text = line.substr(key.size());
        SetWindowTextW(GetDlgItem(window, ids::J1 + i), text.c_str());
    }
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_CREATE:
        SetTimer(hwnd, kStartTimer, 100, nullptr);  // from the window's creation, as the program's
        createChildren(hwnd);
        return 0;
    case WM_TIMER:
        if (wp == kStartTimer) {
            KillTimer(hwnd, kStartTimer);
            showFirstCategory(hwnd);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    fonts = {tahoma(-11, FW_NORMAL), tahoma(-11, FW_BOLD), tahoma(-16, FW_BOLD)};
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return 1;
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    constexpr DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    HWND hwnd = CreateWindowExW(exStyle, kClassName, L"Bare window", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                                nullptr);
    if (hwnd == nullptr) return 1;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd, &msg)) continue;  // Tab between the controls
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    for (HFONT font : {fonts.normal, fonts.bold, fonts.title}) DeleteObject(font);
    return static_cast<int>(msg.wParam);
}
