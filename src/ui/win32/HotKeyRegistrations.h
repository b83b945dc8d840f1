#pragma once
// F1 ... F12 registered as system-wide hot keys of one window. The owner gives up every key
// it registered when asked and at its end, so no key stays held for a window that is gone.
#include <windows.h>

#include <array>

#include "ui/HotKeys.h"
#include "ui/MainUnit.h"

namespace kv::ui::win32 {

class HotKeyRegistrations final : public IHotKeys {
public:
    // The hot-key id of slot n is kFirstId + n - 1 (WM_HOTKEY's wParam).
    static constexpr int kFirstId = 0x4B31;

    explicit HotKeyRegistrations(HWND window) : window_(window) {}
    ~HotKeyRegistrations() override { unregisterAll(); }
    HotKeyRegistrations(const HotKeyRegistrations&) = delete;
    HotKeyRegistrations& operator=(const HotKeyRegistrations&) = delete;

    bool registerKey(int slot) override;
    void unregisterAll() override;
    // The slot of a WM_HOTKEY's id while its key is registered here, else 0.
    int slotOf(WPARAM id) const;

private:
    HWND window_;
    std::array<bool, TKavintamainform::kSlotCount> held_{};
};

}  // namespace kv::ui::win32
