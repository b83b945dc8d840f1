#pragma once
// Brings decoded audio (interleaved 32-bit float frames) to the output's sample rate and
// channel count: channels are mapped first, then the rate is changed by linear
// interpolation. The converter keeps its place between calls, so a file can be fed to it
// in pieces of any size and comes out as one continuous signal.
#include <cstddef>
#include <vector>

namespace kv {

struct AudioFormat {
    int sampleRate = 0;
    int channels = 0;
    friend bool operator==(const AudioFormat&, const AudioFormat&) = default;
};

class SampleConverter {
public:
    SampleConverter(AudioFormat input, AudioFormat output);

    // Converts `frames` input frames and appends the result to `out`.
    void convert(const float* input, std::size_t frames, std::vector<float>& out);
    // The output frames that `inputFrames` more frames give, at most one off (for budgets).
    std::size_t outputFramesFor(std::size_t inputFrames) const;

    AudioFormat input() const { return input_; }
    AudioFormat output() const { return output_; }

private:
    void mapChannels(const float* frame, float* mapped) const;

    AudioFormat input_;
    AudioFormat output_;
    double step_;                    // input frames per output frame
    double phase_ = 0.0;             // place of the next output frame after previous_
    std::vector<float> previous_;    // the last mapped input frame of the previous call
    bool havePrevious_ = false;
    std::vector<float> mapped_;      // scratch: mapped input frames of one call
};

}  // namespace kv
