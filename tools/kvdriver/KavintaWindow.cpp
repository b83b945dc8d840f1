#include "kvdriver/KavintaWindow.h"

#include <stdexcept>

#include "kvdriver/Window.h"
#include "ui/ControlIds.h"

namespace kvdriver {

namespace ids = kv::ui::ids;

EnvironmentMap DataEnvironment::overrides() const {
    EnvironmentMap values;
    values[L"APPDATA"] = appData;
    values[L"ALLUSERSPROFILE"] = allUsersProfile;
    values[L"USERPROFILE"] = userProfile;
    return values;
}

Process launchWithData(const std::wstring& exe, const DataEnvironment& data, const std::wstring& arguments) {
    return Process::launch(exe, data.overrides(), arguments);
}

std::optional<KavintaWindow> KavintaWindow::waitFor(DWORD pid, Millis timeout) {
    const auto hwnd = waitTopLevelWindow(pid, kMainWindowClass, timeout);
    if (!hwnd) return std::nullopt;
    return KavintaWindow(*hwnd);
}

std::wstring KavintaWindow::caption() const { return windowText(main_); }

HWND KavintaWindow::control(int id) const {
    HWND child = childById(main_, id);
    if (child == nullptr) throw std::runtime_error("no control with id " + std::to_string(id));
    return child;
}

std::wstring KavintaWindow::text(int id) const { return windowText(control(id)); }

bool KavintaWindow::checked(int id) const { return isChecked(control(id)); }

std::wstring KavintaWindow::slotCaption(int slot) const { return text(ids::J1 + slot - 1); }

std::vector<std::wstring> KavintaWindow::slotCaptions() const {
    std::vector<std::wstring> captions;
    for (int slot = 1; slot <= 12; ++slot) captions.push_back(slotCaption(slot));
    return captions;
}

std::vector<std::wstring> KavintaWindow::categories() const {
    return comboItems(control(ids::kategorie));
}

int KavintaWindow::categoryIndex() const { return comboSelection(control(ids::kategorie)); }

std::wstring KavintaWindow::currentCategory() const {
    return comboSelectedText(control(ids::kategorie));
}

bool KavintaWindow::categoryShown() const {
    // Polled from the moment the window exists, so its children may not exist yet.
    HWND kategorie = childById(main_, ids::kategorie);
    HWND firstSlot = childById(main_, ids::J1);
    return kategorie != nullptr && firstSlot != nullptr && comboSelection(kategorie) >= 0 &&
           windowText(firstSlot) != kDesignSlotCaption;
}

bool KavintaWindow::waitCategoryShown(Millis timeout) const {
    return waitUntil([&] { return categoryShown(); }, timeout, Millis{2});
}

void KavintaWindow::click(int id) const { postClick(control(id)); }

void KavintaWindow::close() const { postClose(main_); }

}  // namespace kvdriver
