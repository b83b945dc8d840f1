// The output device of the window menu: the system's default device, then every active
// render device by name, the chosen one checked. The choice is kept by endpoint id; one
// that is not there now stays listed after the others, under the name it had.
#include <algorithm>

#include "ui/MainUnit.h"

namespace kv::ui {

// The stored choice at the start. The devices are listed only when the submenu opens, so
// that the start does not wait for the system's device enumeration.
void TKavintamainform::chooseOutputDevice(const std::wstring& id, const std::wstring& name) {
    deviceId_ = id;
    deviceName_ = id.empty() ? std::wstring() : name;
    s_.engine.setOutputDevice(deviceId_);
}

void TKavintamainform::fillDeviceMenu() {
    std::vector<std::wstring> names{text(TextId::Standardgeraet)};
    deviceMenuIds_ = {std::wstring()};
    for (const OutputDevice& device : s_.engine.outputDevices()) {
        names.push_back(device.name);
        deviceMenuIds_.push_back(device.id);
    }
    auto chosen = std::find(deviceMenuIds_.begin(), deviceMenuIds_.end(), deviceId_);
    if (chosen == deviceMenuIds_.end()) {
        names.push_back(deviceName_.empty() ? deviceId_ : deviceName_);
        deviceMenuIds_.push_back(deviceId_);
        chosen = deviceMenuIds_.end() - 1;
    }
    m_ausgabegeraet.setItems(std::move(names), static_cast<int>(chosen - deviceMenuIds_.begin()));
}

void TKavintamainform::m_ausgabegeraetOpening() { fillDeviceMenu(); }

// The choice reaches KV.ini with the next save, as the window's other options do.
void TKavintamainform::m_ausgabegeraetChange() {
    const int index = m_ausgabegeraet.selected();
    if (index < 0 || index >= static_cast<int>(deviceMenuIds_.size())) return;
    deviceId_ = deviceMenuIds_.at(static_cast<size_t>(index));
    deviceName_ = index == 0 ? std::wstring() : m_ausgabegeraet.items().at(static_cast<size_t>(index));
    s_.engine.setOutputDevice(deviceId_);
}

}  // namespace kv::ui
