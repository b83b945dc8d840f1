#include "playback/SampleGain.h"

#include <algorithm>
#include <cmath>

namespace kv {

void SampleGain::reset() {
    factor_ = 1.0f;
    fadeTotal_ = fadeLeft_ = 0;
    fadeFrom_ = 1.0f;
}

void SampleGain::setGainDb(double db) { factor_ = static_cast<float>(std::pow(10.0, db / 20.0)); }

void SampleGain::startFade(std::size_t frames) {
    if (fading() && fadeLeft_ <= frames) return;
    const float now = fading() ? fadeFrom_ * static_cast<float>(fadeLeft_) / static_cast<float>(fadeTotal_) : 1.0f;
    fadeFrom_ = now;
    fadeTotal_ = fadeLeft_ = std::max<std::size_t>(frames, 1);
}

void SampleGain::apply(float* frames, std::size_t count, std::size_t channels) {
    for (std::size_t i = 0; i < count; ++i) {
        float share = 1.0f;
        if (fading()) {
            share = fadeFrom_ * static_cast<float>(fadeLeft_) / static_cast<float>(fadeTotal_);
            if (fadeLeft_ > 0) --fadeLeft_;
        }
        const float g = factor_ * share;
        for (std::size_t c = 0; c < channels; ++c) frames[i * channels + c] *= g;
    }
}

}  // namespace kv
