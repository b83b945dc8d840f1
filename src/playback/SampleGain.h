#pragma once
// The level of the jingle that plays, applied to its samples as they go to the device: a
// constant gain, and a fade to silence over a number of frames that ends the jingle.
#include <cstddef>

namespace kv {

class SampleGain {
public:
    // Back to 0 dB, no fade (each new file starts so).
    void reset();
    // The gain from the next frame on.
    void setGainDb(double db);
    // Ramps from the present level down to silence over `frames` frames; a fade that runs
    // already keeps going when it would end sooner.
    void startFade(std::size_t frames);

    bool fading() const { return fadeTotal_ > 0; }
    // The fade has reached silence: nothing more needs to be written.
    bool silent() const { return fading() && fadeLeft_ == 0; }

    // Multiplies `count` interleaved frames of `channels` channels in place.
    void apply(float* frames, std::size_t count, std::size_t channels);

private:
    float factor_ = 1.0f;       // the constant gain, linear
    std::size_t fadeTotal_ = 0; // frames of the fade; 0: none
    std::size_t fadeLeft_ = 0;  // frames of it still to come
    float fadeFrom_ = 1.0f;     // the ramp's share at its start (a restarted fade starts lower)
};

}  // namespace kv
