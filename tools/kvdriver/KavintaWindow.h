#pragma once
// The program under test as the driver sees it: how to start it with its own data
// folders, and its main window with the controls looked up by their ids.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "kvdriver/Environment.h"
#include "kvdriver/Process.h"
#include "kvdriver/Wait.h"

namespace kvdriver {

inline constexpr const wchar_t* kMainWindowClass = L"TKavintamainform";
inline constexpr const wchar_t* kDesignSlotCaption = L"- -";

// The variables that locate the data folder; each is set in the launched program.
struct DataEnvironment {
    std::wstring appData;
    std::wstring allUsersProfile;
    std::wstring userProfile;
    EnvironmentMap overrides() const;
};

// arguments follow the quoted program path on the command line.
Process launchWithData(const std::wstring& exe, const DataEnvironment& data, const std::wstring& arguments = L"");

class KavintaWindow {
public:
    explicit KavintaWindow(HWND main) : main_(main) {}

    // The visible main window of process pid, once it exists.
    static std::optional<KavintaWindow> waitFor(DWORD pid, Millis timeout);

    HWND hwnd() const { return main_; }
    bool exists() const { return IsWindow(main_) != FALSE; }
    std::wstring caption() const;

    // The control with that id; throws std::runtime_error when it is missing.
    HWND control(int id) const;
    std::wstring text(int id) const;
    bool checked(int id) const;

    std::wstring slotCaption(int slot) const;  // slot 1 ... 12
    std::vector<std::wstring> slotCaptions() const;
    std::vector<std::wstring> categories() const;
    int categoryIndex() const;
    std::wstring currentCategory() const;

    // A category is shown: one is selected and J1 no longer shows its design caption.
    bool categoryShown() const;
    bool waitCategoryShown(Millis timeout) const;

    void click(int id) const;
    void close() const;

private:
    HWND main_;
};

}  // namespace kvdriver
