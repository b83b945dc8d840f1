#pragma once
// A modal input query built from an in-memory dialog template: caption, prompt, one edit
// field with an initial value, OK and Cancel.
#include <windows.h>

#include <string>
#include <vector>

namespace kv::ui::win32 {

struct InputQueryIds {
    int edit;
    int prompt;
};

struct InputQueryTexts {
    std::wstring caption;
    std::wstring prompt;
    std::wstring ok;
    std::wstring cancel;
};

// True for OK, with the edited text in value; value is unchanged on Cancel.
bool runInputQuery(HWND owner, const InputQueryTexts& texts, std::wstring& value, InputQueryIds ids);

// The dialog template (DLGTEMPLATE and its items), as WORDs, DWORD-aligned.
std::vector<WORD> inputQueryTemplate(InputQueryIds ids);

}  // namespace kv::ui::win32
