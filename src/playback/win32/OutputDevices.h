#pragma once
// The render endpoints of Core Audio: the active ones by name, and one of them by its id
// with the default device in place of one that is gone. Used on a thread with COM started.
#include <windows.h>
#include <mmdeviceapi.h>

#include <mutex>
#include <string>
#include <vector>

#include "app/win32/ComPtr.h"
#include "playback/JingleEngine.h"

namespace kv {

// The active render devices, in the system's order, with their friendly names.
std::vector<OutputDevice> activeRenderDevices();

// The device with this endpoint id when it is there and active, else the default render
// device (`usedDefaultInstead` true when an id was asked for). Empty id: the default.
// Nothing when there is no device at all.
ComPtr<IMMDevice> renderDevice(const std::wstring& endpointId, bool& usedDefaultInstead);

// The device chosen for the following opens, handed from the caller's thread to the
// player's, and what the last open found.
class OutputDeviceChoice {
public:
    void choose(const std::wstring& endpointId) {
        const std::lock_guard lock(mutex_);
        id_ = endpointId;
    }
    std::wstring chosen() const {
        const std::lock_guard lock(mutex_);
        return id_;
    }
    void setUsedDefaultInstead(bool used) {
        const std::lock_guard lock(mutex_);
        usedDefault_ = used;
    }
    bool usedDefaultInstead() const {
        const std::lock_guard lock(mutex_);
        return usedDefault_;
    }

private:
    mutable std::mutex mutex_;
    std::wstring id_;
    bool usedDefault_ = false;
};

}  // namespace kv
