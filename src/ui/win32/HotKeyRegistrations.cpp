#include "ui/win32/HotKeyRegistrations.h"

namespace kv::ui::win32 {

// MOD_NOREPEAT: a held key is one press, as the window's own keys are for a slot.
bool HotKeyRegistrations::registerKey(int slot) {
    if (slot < 1 || slot > TKavintamainform::kSlotCount) return false;
    bool& held = held_[static_cast<size_t>(slot - 1)];
    if (held) return true;
    held = RegisterHotKey(window_, kFirstId + slot - 1, MOD_NOREPEAT, static_cast<UINT>(VK_F1 + slot - 1)) != FALSE;
    return held;
}

void HotKeyRegistrations::unregisterAll() {
    for (size_t i = 0; i < held_.size(); ++i) {
        if (!held_[i]) continue;
        UnregisterHotKey(window_, kFirstId + static_cast<int>(i));
        held_[i] = false;
    }
}

int HotKeyRegistrations::slotOf(WPARAM id) const {
    const auto index = static_cast<long long>(id) - kFirstId;
    if (index < 0 || index >= static_cast<long long>(held_.size())) return 0;
    return held_[static_cast<size_t>(index)] ? static_cast<int>(index) + 1 : 0;
}

}  // namespace kv::ui::win32
