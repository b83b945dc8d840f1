#include "ui/win32/Win32Dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "app/win32/LazyLibrary.h"
#include "ui/win32/InputQueryDialog.h"
#include "ui/win32/ModalLoops.h"

namespace kv::ui::win32 {

namespace {
// Longest path the open dialog hands back.
constexpr DWORD kFileBufferLength = 32768;

// The open dialog's function, from comdlg32.dll loaded when the dialog is first needed:
// loading it (and the shell libraries it pulls in) at process start slows every start.
decltype(&GetOpenFileNameW) openFileNameFunction() {
    static const LazyLibrary comdlg32(L"comdlg32.dll");
    static const auto function = comdlg32.function<decltype(&GetOpenFileNameW)>("GetOpenFileNameW");
    return function;
}
}  // namespace

UINT messageBoxStyle(MessageType type) {
    switch (type) {
        case MessageType::Warning: return MB_OK | MB_ICONWARNING;
        case MessageType::Information: return MB_OK | MB_ICONINFORMATION;
        case MessageType::Error: return MB_OK | MB_ICONERROR;
    }
    return MB_OK;
}

std::wstring toDialogFilter(const std::wstring& filter) {
    std::wstring result = filter;
    for (wchar_t& c : result)
        if (c == L'|') c = L'\0';
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

std::wstring Win32Dialogs::boxCaption() const { return texts_.text(TextId::CapMainform); }

// While the main window closes, no box or dialog is shown and each counts as cancelled (see
// closeAfterModalDialogs): the handler that asked stops without changing anything.
void Win32Dialogs::showMessage(MessageType type, const std::wstring& text) {
    if (closeRequested()) return;
    const ModalDialog box(owner_, IDOK);
    MessageBoxW(owner_, text.c_str(), boxCaption().c_str(), messageBoxStyle(type));
}

bool Win32Dialogs::confirm(const std::wstring& text) {
    if (closeRequested()) return false;
    const ModalDialog box(owner_, IDNO);
    const bool yes = MessageBoxW(owner_, text.c_str(), boxCaption().c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
    return yes && !closeRequested();
}

bool Win32Dialogs::inputQuery(const std::wstring& caption, const std::wstring& prompt, std::wstring& value) {
    const InputQueryTexts texts{caption, prompt, texts_.text(TextId::DialogOk), texts_.text(TextId::DialogAbbrechen)};
    if (closeRequested()) return false;
    std::wstring edited = value;
    if (!runInputQuery(owner_, texts, edited, InputQueryIds{kInputEditId, kInputPromptId}) || closeRequested())
        return false;
    value = edited;
    return true;
}

bool Win32Dialogs::openFile(const std::wstring& filter, const std::wstring& initialDir, std::wstring& fileName) {
    const std::wstring dialogFilter = toDialogFilter(filter);
    std::vector<wchar_t> buffer(kFileBufferLength, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner_;
    request.lpstrFilter = dialogFilter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = kFileBufferLength;
    request.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    request.lpstrTitle = nullptr;  // the dialog's own title
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_PATHMUSTEXIST |
                    OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    const auto getOpenFileName = openFileNameFunction();
    if (!getOpenFileName || closeRequested()) return false;
    const ModalDialog dialog(owner_, IDCANCEL);
    if (!getOpenFileName(&request) || closeRequested()) return false;
    fileName = buffer.data();
    return true;
}

}  // namespace kv::ui::win32
