#include "ui/win32/InputQueryDialog.h"

#include "ui/win32/ModalLoops.h"
#include "ui/win32/StyledDrawing.h"

namespace kv::ui::win32 {

namespace {

// Writes a dialog template: every item starts on a DWORD boundary.
class TemplateWriter {
public:
    void dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void word(WORD value) { words_.push_back(value); }
    void text(const wchar_t* value) {
        while (*value) words_.push_back(static_cast<WORD>(*value++));
        words_.push_back(0);
    }
    void alignToDword() {
        if (words_.size() % 2 != 0) words_.push_back(0);
    }
    void item(DWORD style, short x, short y, short cx, short cy, int id, WORD classAtom) {
        alignToDword();
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);  // extended style
        word(static_cast<WORD>(x));
        word(static_cast<WORD>(y));
        word(static_cast<WORD>(cx));
        word(static_cast<WORD>(cy));
        word(static_cast<WORD>(id));
        word(0xFFFF);  // a predefined class by atom
        word(classAtom);
        text(L"");  // texts are set at WM_INITDIALOG
        word(0);    // no creation data
    }
    std::vector<WORD> take() { return std::move(words_); }

private:
    std::vector<WORD> words_;
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

struct QueryState {
    const InputQueryTexts* texts;
    std::wstring* value;
    InputQueryIds ids;
};

std::wstring itemText(HWND dialog, int id) { return textOfWindow(GetDlgItem(dialog, id)); }

// Puts the dialog in the middle of its owner (or of the screen without one).
void centreOver(HWND dialog, HWND owner) {
    RECT box{}, area{};
    GetWindowRect(dialog, &box);
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + ((area.right - area.left) - (box.right - box.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (box.bottom - box.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR onInit(HWND dialog, QueryState& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    SetWindowTextW(dialog, state.texts->caption.c_str());
    SetDlgItemTextW(dialog, state.ids.prompt, state.texts->prompt.c_str());
    SetDlgItemTextW(dialog, state.ids.edit, state.value->c_str());
    SetDlgItemTextW(dialog, IDOK, state.texts->ok.c_str());
    SetDlgItemTextW(dialog, IDCANCEL, state.texts->cancel.c_str());
    centreOver(dialog, GetWindow(dialog, GW_OWNER));
    HWND edit = GetDlgItem(dialog, state.ids.edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return FALSE;  // the focus is set here
}

INT_PTR CALLBACK queryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (message == WM_INITDIALOG) return onInit(dialog, *reinterpret_cast<QueryState*>(lParam));
        auto* state = reinterpret_cast<QueryState*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (message == WM_COMMAND && state) {
            if (LOWORD(wParam) == IDOK) {
                *state->value = itemText(dialog, state->ids.edit);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
        }
    } catch (...) {
        EndDialog(dialog, IDCANCEL);
    }
    return FALSE;
}

}  // namespace

std::vector<WORD> inputQueryTemplate(InputQueryIds ids) {
    constexpr short width = 220, margin = 7, inner = width - 2 * margin;
    TemplateWriter t;
    t.dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.dword(0);
    t.word(4);  // items
    t.word(0);
    t.word(0);
    t.word(static_cast<WORD>(width));
    t.word(62);
    t.word(0);       // no menu
    t.word(0);       // the standard dialog class
    t.text(L"");     // caption, set at WM_INITDIALOG
    t.word(8);       // font size in points
    t.text(L"Tahoma");
    t.item(SS_LEFT | SS_NOPREFIX, margin, 7, inner, 9, ids.prompt, kStaticAtom);
    t.item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, margin, 19, inner, 12, ids.edit, kEditAtom);
    t.item(WS_TABSTOP | BS_DEFPUSHBUTTON, width - margin - 104, 41, 50, 14, IDOK, kButtonAtom);
    t.item(WS_TABSTOP | BS_PUSHBUTTON, width - margin - 50, 41, 50, 14, IDCANCEL, kButtonAtom);
    return t.take();
}

bool runInputQuery(HWND owner, const InputQueryTexts& texts, std::wstring& value, InputQueryIds ids) {
    const std::vector<WORD> dialogTemplate = inputQueryTemplate(ids);
    std::wstring edited = value;
    QueryState state{&texts, &edited, ids};
    const ModalDialog dialog(owner, IDCANCEL);
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner, queryProc,
        reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return false;
    value = edited;
    return true;
}

}  // namespace kv::ui::win32
