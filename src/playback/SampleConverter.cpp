#include "playback/SampleConverter.h"

#include <algorithm>
#include <cmath>

namespace kv {

SampleConverter::SampleConverter(AudioFormat input, AudioFormat output)
    : input_(input),
      output_(output),
      step_(output.sampleRate > 0 ? static_cast<double>(input.sampleRate) / output.sampleRate : 1.0),
      previous_(static_cast<std::size_t>(std::max(output.channels, 0)), 0.0f) {}

void SampleConverter::mapChannels(const float* frame, float* mapped) const {
    const int in = input_.channels;
    const int out = output_.channels;
    if (in == 1) {
        // Mono goes to the front pair (or the one channel); further channels stay silent.
        for (int c = 0; c < out; ++c) mapped[c] = c < 2 ? frame[0] : 0.0f;
    } else if (out == 1) {
        float sum = 0.0f;
        for (int c = 0; c < in; ++c) sum += frame[c];
        mapped[0] = sum / static_cast<float>(in);
    } else {
        for (int c = 0; c < out; ++c) mapped[c] = c < in ? frame[c] : 0.0f;
    }
}

void SampleConverter::convert(const float* input, std::size_t frames, std::vector<float>& out) {
    const auto channels = static_cast<std::size_t>(output_.channels);
    if (frames == 0 || channels == 0 || input_.channels <= 0) return;
    mapped_.resize(frames * channels);
    for (std::size_t i = 0; i < frames; ++i)
        mapChannels(input + i * static_cast<std::size_t>(input_.channels), &mapped_[i * channels]);

    if (input_.sampleRate == output_.sampleRate) {
        out.insert(out.end(), mapped_.begin(), mapped_.end());
        return;
    }
    // The frames in play: the last one of the previous call, then this call's.
    const std::size_t offset = havePrevious_ ? 1 : 0;
    const std::size_t count = frames + offset;
    auto frameAt = [&](std::size_t i) -> const float* {
        return i < offset ? previous_.data() : &mapped_[(i - offset) * channels];
    };
    double position = phase_;
    const auto last = static_cast<double>(count - 1);
    while (position <= last) {
        // A frame that falls exactly on the last input frame needs no frame after it.
        const auto index = std::min(static_cast<std::size_t>(position), count - 1);
        const auto weight = static_cast<float>(position - static_cast<double>(index));
        const float* a = frameAt(index);
        const float* b = frameAt(std::min(index + 1, count - 1));
        for (std::size_t c = 0; c < channels; ++c) out.push_back(a[c] + (b[c] - a[c]) * weight);
        position += step_;
    }
    phase_ = position - last;
    std::copy_n(frameAt(count - 1), channels, previous_.begin());
    havePrevious_ = true;
}

std::size_t SampleConverter::outputFramesFor(std::size_t inputFrames) const {
    return static_cast<std::size_t>(std::ceil(static_cast<double>(inputFrames) / step_));
}

}  // namespace kv
