#pragma once
// F1 ... F12 as system-wide hot keys of the main window: they reach it while another
// program has the focus.
namespace kv::ui {

class IHotKeys {
public:
    virtual ~IHotKeys() = default;
    // Registers the key of slot 1 ... 12 (F1 ... F12) without a modifier, a held key
    // counting as one press; false when the system refuses it (another program holds it).
    // A key registered already counts as registered.
    virtual bool registerKey(int slot) = 0;
    // Gives up every key registered here.
    virtual void unregisterAll() = 0;
};

}  // namespace kv::ui
