#include "playback/win32/OutputDevices.h"

#include <propsys.h>

#include <utility>

#include "app/win32/ComApartment.h"

namespace kv {

namespace {

// The device's friendly name ("Speakers (Realtek Audio)"), as functiondiscoverykeys_devpkey.h
// defines the key.
const PROPERTYKEY kFriendlyName = {{0xa45c254e, 0xdf1c, 0x4efd, {0x80, 0x20, 0x67, 0xd1, 0x46, 0xa8, 0x50, 0xe0}}, 14};

class PropVariant {
public:
    PropVariant() { PropVariantInit(&value_); }
    ~PropVariant() { PropVariantClear(&value_); }
    PropVariant(const PropVariant&) = delete;
    PropVariant& operator=(const PropVariant&) = delete;
    PROPVARIANT* put() { return &value_; }
    std::wstring text() const { return value_.vt == VT_LPWSTR && value_.pwszVal ? value_.pwszVal : L""; }

private:
    PROPVARIANT value_;
};

ComPtr<IMMDeviceEnumerator> enumerator() {
    ComPtr<IMMDeviceEnumerator> devices;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), devices.putVoid())))
        devices.reset();
    return devices;
}

std::wstring idOf(IMMDevice& device) {
    CoTaskString id;
    return SUCCEEDED(device.GetId(id.put())) ? std::wstring(id.get()) : std::wstring();
}

std::wstring nameOf(IMMDevice& device) {
    ComPtr<IPropertyStore> properties;
    if (FAILED(device.OpenPropertyStore(STGM_READ, properties.put()))) return {};
    PropVariant name;
    if (FAILED(properties->GetValue(kFriendlyName, name.put()))) return {};
    return name.text();
}

}  // namespace

std::vector<OutputDevice> activeRenderDevices() {
    const ComApartment com(COINIT_MULTITHREADED);
    std::vector<OutputDevice> found;
    const ComPtr<IMMDeviceEnumerator> devices = enumerator();
    ComPtr<IMMDeviceCollection> collection;
    UINT count = 0;
    if (!devices || FAILED(devices->EnumAudioEndpoints(eRender, DEVICE_STATE_ACTIVE, collection.put())) ||
        FAILED(collection->GetCount(&count)))
        return found;
    for (UINT i = 0; i < count; ++i) {
        ComPtr<IMMDevice> device;
        if (FAILED(collection->Item(i, device.put()))) continue;
        OutputDevice entry{idOf(*device.get()), nameOf(*device.get())};
        if (entry.id.empty()) continue;
        if (entry.name.empty()) entry.name = entry.id;
        found.push_back(std::move(entry));
    }
    return found;
}

ComPtr<IMMDevice> renderDevice(const std::wstring& endpointId, bool& usedDefaultInstead) {
    usedDefaultInstead = false;
    ComPtr<IMMDevice> device;
    const ComPtr<IMMDeviceEnumerator> devices = enumerator();
    if (!devices) return device;
    if (!endpointId.empty()) {
        DWORD state = 0;
        if (SUCCEEDED(devices->GetDevice(endpointId.c_str(), device.put())) && SUCCEEDED(device->GetState(&state)) &&
            state == DEVICE_STATE_ACTIVE)
            return device;
        device.reset();
        usedDefaultInstead = true;
    }
    if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, device.put()))) device.reset();
    return device;
}

}  // namespace kv
