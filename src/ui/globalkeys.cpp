// F1 ... F12 while another program has the focus: the window menu's item registers the
// twelve keys as system-wide hot keys, and a hot key fires its slot through the same
// action as the window's own key.
#include <string>

#include "ui/MainUnit.h"

namespace kv::ui {

// Every key that can be registered is; the ones that cannot are named in the status line.
void TKavintamainform::m_globaletastenClick() {
    if (!m_globaletasten.checked()) {
        releaseGlobalKeys();
        return;
    }
    IHotKeys* keys = host().hotKeys();
    std::wstring refused;
    for (int n = 1; n <= kSlotCount; ++n) {
        if (keys && keys->registerKey(n)) continue;
        if (!refused.empty()) refused += L", ";
        refused += L"F" + std::to_wstring(n);
    }
    if (!refused.empty()) setStatusError(formatText(text(TextId::FTastenBelegt), refused));
}

// A hot key that arrives after the option went off was on its way already: it is dropped.
void TKavintamainform::globalHotKey(int slot) {
    if (m_globaletasten.checked()) SCExecute(slot);
}

void TKavintamainform::releaseGlobalKeys() {
    if (IHotKeys* keys = host().hotKeys()) keys->unregisterAll();
}

}  // namespace kv::ui
