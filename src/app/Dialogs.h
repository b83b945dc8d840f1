#pragma once
// The standard dialogs and message boxes of the main window.
#include <string>

namespace kv {

enum class MessageType { Warning, Information, Error };

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // A modal message box with one OK button.
    virtual void showMessage(MessageType type, const std::wstring& text) = 0;
    // A modal confirmation with the buttons Yes and No; true for Yes.
    virtual bool confirm(const std::wstring& text) = 0;
    // Caption, prompt and an edit field with the initial value; true for OK, value edited.
    virtual bool inputQuery(const std::wstring& caption, const std::wstring& prompt,
                            std::wstring& value) = 0;
    // The file-open dialog with a filter "description|patterns|..." and an initial folder;
    // true when a file was chosen, its full path in fileName.
    virtual bool openFile(const std::wstring& filter, const std::wstring& initialDir,
                          std::wstring& fileName) = 0;
};

}  // namespace kv
