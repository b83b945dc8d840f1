#pragma once
// The input query and the file-open dialog of another process: find them, read them,
// answer them. Both are dialog windows (#32770) like a message box; they are told apart
// by their controls.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "kvdriver/Wait.h"

namespace kvdriver {

// Control ids of the program's input query.
inline constexpr int kInputQueryEditId = 100;
inline constexpr int kInputQueryPromptId = 101;
// The file-name field of the open dialog: the combo box cmb13 of the Explorer style, the
// edit edt1 of the old style; the file-type combo box cmb1.
inline constexpr int kOpenFileNameComboId = 1148;
inline constexpr int kOpenFileNameEditId = 1152;
inline constexpr int kOpenFileTypeComboId = 1136;

struct InputQueryInfo {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    std::wstring caption;
    std::wstring prompt;
    std::wstring value;  // the edit field's text
};

struct OpenDialogInfo {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    HWND fileNameField = nullptr;
    std::wstring caption;
    std::vector<std::wstring> fileTypes;  // the descriptions of the filter, in order
    int fileTypeIndex = -1;               // the preselected description
};

// The first visible input query of process pid.
std::optional<InputQueryInfo> findInputQuery(DWORD pid);
std::optional<InputQueryInfo> waitInputQuery(DWORD pid, Millis timeout);
// Replaces the edit field's text by value and presses OK.
void answerInputQuery(const InputQueryInfo& query, const std::wstring& value);

// The first visible file-open dialog of process pid.
std::optional<OpenDialogInfo> findOpenDialog(DWORD pid);
std::optional<OpenDialogInfo> waitOpenDialog(DWORD pid, Millis timeout);
// Types fileName into the file-name field and presses Open (IDOK).
void chooseFile(const OpenDialogInfo& dialog, const std::wstring& fileName);

// Presses Cancel (IDCANCEL) of a dialog; false when it has none.
bool cancelDialog(HWND dialog);
// Waits until the dialog window is gone or hidden.
bool waitDialogClosed(HWND dialog, Millis timeout);

}  // namespace kvdriver
