#pragma once
// Message boxes and standard dialogs, all owned by the main window so that they are modal
// to it (and found as its owned #32770 windows).
#include <windows.h>

#include <string>

#include "app/Dialogs.h"
#include "app/Texts.h"

namespace kv::ui::win32 {

class Win32Dialogs final : public IDialogs {
public:
    // The edit field of the input query.
    static constexpr int kInputEditId = 100;
    static constexpr int kInputPromptId = 101;

    explicit Win32Dialogs(const ITexts& texts) : texts_(texts) {}
    // The window that owns every box and dialog (the main window once it exists).
    void setOwner(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }

    void showMessage(MessageType type, const std::wstring& text) override;
    bool confirm(const std::wstring& text) override;
    bool inputQuery(const std::wstring& caption, const std::wstring& prompt, std::wstring& value) override;
    bool openFile(const std::wstring& filter, const std::wstring& initialDir, std::wstring& fileName) override;

private:
    std::wstring boxCaption() const;
    const ITexts& texts_;
    HWND owner_ = nullptr;
};

// The message-box style for a message type: its icon and one OK button.
UINT messageBoxStyle(MessageType type);
// "a|b|c|d" as the open dialog's filter: "a\0b\0c\0d\0\0" (the result holds the final NULs).
std::wstring toDialogFilter(const std::wstring& filter);

}  // namespace kv::ui::win32
