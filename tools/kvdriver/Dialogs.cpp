#include "kvdriver/Dialogs.h"

#include "kvdriver/Window.h"

namespace kvdriver {
namespace {

HWND openDialogFileNameField(HWND dialog) {
    if (HWND combo = childById(dialog, kOpenFileNameComboId)) return combo;
    return childById(dialog, kOpenFileNameEditId);
}

bool isInputQuery(HWND dialog) {
    HWND edit = GetDlgItem(dialog, kInputQueryEditId);
    return edit != nullptr && className(edit) == L"Edit" && GetDlgItem(dialog, IDOK) != nullptr &&
           openDialogFileNameField(dialog) == nullptr;
}

template <class Describe>
auto firstVisibleDialog(DWORD pid, bool (*matches)(HWND), Describe describe)
    -> std::optional<decltype(describe(HWND{}))> {
    for (HWND hwnd : topLevelWindows(pid, L"#32770"))
        if (IsWindowVisible(hwnd) && matches(hwnd)) return describe(hwnd);
    return std::nullopt;
}

InputQueryInfo describeInputQuery(HWND dialog) {
    InputQueryInfo info;
    info.hwnd = dialog;
    info.owner = GetWindow(dialog, GW_OWNER);
    info.caption = windowText(dialog);
    if (HWND prompt = GetDlgItem(dialog, kInputQueryPromptId)) info.prompt = windowText(prompt);
    info.value = windowText(GetDlgItem(dialog, kInputQueryEditId));
    return info;
}

OpenDialogInfo describeOpenDialog(HWND dialog) {
    OpenDialogInfo info;
    info.hwnd = dialog;
    info.owner = GetWindow(dialog, GW_OWNER);
    info.fileNameField = openDialogFileNameField(dialog);
    info.caption = windowText(dialog);
    if (HWND types = childById(dialog, kOpenFileTypeComboId)) {
        info.fileTypes = comboItems(types);
        info.fileTypeIndex = comboSelection(types);
    }
    return info;
}

bool pressDialogButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) return false;
    postClick(button);
    return true;
}

}  // namespace

std::optional<InputQueryInfo> findInputQuery(DWORD pid) {
    return firstVisibleDialog(pid, isInputQuery, describeInputQuery);
}

std::optional<InputQueryInfo> waitInputQuery(DWORD pid, Millis timeout) {
    return waitFor([&] { return findInputQuery(pid); }, timeout);
}

void answerInputQuery(const InputQueryInfo& query, const std::wstring& value) {
    setWindowText(GetDlgItem(query.hwnd, kInputQueryEditId), value);
    pressDialogButton(query.hwnd, IDOK);
}

std::optional<OpenDialogInfo> findOpenDialog(DWORD pid) {
    return firstVisibleDialog(
        pid, [](HWND hwnd) { return openDialogFileNameField(hwnd) != nullptr; }, describeOpenDialog);
}

std::optional<OpenDialogInfo> waitOpenDialog(DWORD pid, Millis timeout) {
    return waitFor([&] { return findOpenDialog(pid); }, timeout);
}

void chooseFile(const OpenDialogInfo& dialog, const std::wstring& fileName) {
    setWindowText(dialog.fileNameField, fileName);
    pressDialogButton(dialog.hwnd, IDOK);
}

bool cancelDialog(HWND dialog) { return pressDialogButton(dialog, IDCANCEL); }

bool waitDialogClosed(HWND dialog, Millis timeout) {
    return waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeout);
}

}  // namespace kvdriver
