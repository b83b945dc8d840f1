#pragma once
// The mixer's session source over Windows Core Audio: the default render endpoint, its
// audio sessions, their volumes and meters, and the endpoint's master volume. Every COM
// interface and every string it obtains is released by the object that holds it.
#include "mixer/AudioSessionSource.h"

namespace kv::mixer::win32 {

// Relies on COM being initialised on the calling thread.
class CoreAudioSessionSource final : public IAudioSessionSource {
public:
    std::unique_ptr<IAudioDevice> defaultRenderDevice() override;
    std::uint32_t currentProcessId() const override;
};

}  // namespace kv::mixer::win32
