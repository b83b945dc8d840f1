#pragma once
// Integrated loudness of a jingle: K-weighting, 400 ms gating blocks every 100 ms, the
// absolute gate at -70 LUFS and the relative gate 10 LU below the mean of the blocks above
// it. Also the sample peak, for the gain that brings the jingle to the target loudness.
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace kv {

class LoudnessMeter {
public:
    // Interleaved frames of `channels` channels, in the usual order: left, right, centre,
    // low-frequency (not counted), left surround, right surround (weighted 1.41).
    LoudnessMeter(int sampleRate, int channels);

    void add(const float* frames, std::size_t count);

    // LUFS; nullopt while no block lies above the absolute gate (silence, or under 400 ms).
    std::optional<double> integratedLufs() const;
    // The largest magnitude of any sample so far (1.0 = full scale).
    float samplePeak() const { return peak_; }

private:
    struct Biquad {
        double b0, b1, b2, a1, a2;
    };
    struct FilterState {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        double run(const Biquad& f, double x);
    };

    void closeQuarter();

    int channels_;
    std::size_t quarterFrames_;      // frames in 100 ms
    Biquad shelf_, highPass_;
    std::vector<FilterState> shelfState_, highPassState_;
    std::vector<double> weights_;
    double quarterEnergy_ = 0;       // weighted sum of squares of the current 100 ms
    std::size_t quarterFill_ = 0;
    std::array<double, 3> lastQuarters_{};  // the three 100 ms before the current one
    std::size_t quartersDone_ = 0;
    std::vector<double> blocks_;     // mean weighted energy of every 400 ms block
    float peak_ = 0;
};

// The gain in dB that brings a jingle of `integratedLufs` to `targetLufs`, raising it by at
// most `maxBoostDb`, and never driving its peak (`samplePeak`, linear) above `ceilingDbfs`.
double loudnessGainDb(double integratedLufs, float samplePeak, double targetLufs = -18.0, double maxBoostDb = 6.0,
                      double ceilingDbfs = -1.0);

}  // namespace kv
