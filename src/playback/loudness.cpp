#include "playback/Loudness.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kv {

namespace {

constexpr double kAbsoluteGateLufs = -70.0;
constexpr double kRelativeGateLu = -10.0;

double lufsOf(double energy) { return -0.691 + 10.0 * std::log10(energy); }
double energyOf(double lufs) { return std::pow(10.0, (lufs + 0.691) / 10.0); }

}  // namespace

double LoudnessMeter::FilterState::run(const Biquad& f, double x) {
    const double y = f.b0 * x + f.b1 * x1 + f.b2 * x2 - f.a1 * y1 - f.a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

LoudnessMeter::LoudnessMeter(int sampleRate, int channels)
    : channels_(std::max(channels, 1)),
      quarterFrames_(static_cast<std::size_t>(std::max((sampleRate + 5) / 10, 1))),
      shelfState_(static_cast<std::size_t>(channels_)),
      highPassState_(static_cast<std::size_t>(channels_)) {
    const double rate = sampleRate > 0 ? sampleRate : 48000;
    // The K-weighting's two stages at this sample rate: a high shelf of about +4 dB above
    // 1.7 kHz (the head's effect), then a high-pass near 38 Hz.
    {
        const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
        const double k = std::tan(std::numbers::pi * f0 / rate);
        const double vh = std::pow(10.0, gainDb / 20.0);
        const double vb = std::pow(vh, 0.4996667741545416);
        const double a0 = 1.0 + k / q + k * k;
        shelf_ = {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
                  2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
    }
    {
        const double f0 = 38.13547087602444, q = 0.5003270373238773;
        const double k = std::tan(std::numbers::pi * f0 / rate);
        const double a0 = 1.0 + k / q + k * k;
        highPass_ = {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
    }
    for (int c = 0; c < channels_; ++c) weights_.push_back(c == 3 ? 0.0 : (c >= 4 ? 1.41 : 1.0));
}

void LoudnessMeter::add(const float* frames, std::size_t count) {
    const auto channels = static_cast<std::size_t>(channels_);
    for (std::size_t i = 0; i < count; ++i) {
        const float* frame = frames + i * channels;
        for (std::size_t c = 0; c < channels; ++c) {
            peak_ = std::max(peak_, std::abs(frame[c]));
            if (weights_[c] == 0.0) continue;
            const double y = highPassState_[c].run(highPass_, shelfState_[c].run(shelf_, frame[c]));
            quarterEnergy_ += weights_[c] * y * y;
        }
        if (++quarterFill_ == quarterFrames_) closeQuarter();
    }
}

void LoudnessMeter::closeQuarter() {
    // A block is the current 100 ms with the three before it, and one closes every 100 ms.
    if (++quartersDone_ >= 4) {
        const double sum = quarterEnergy_ + lastQuarters_[0] + lastQuarters_[1] + lastQuarters_[2];
        blocks_.push_back(sum / static_cast<double>(4 * quarterFrames_));
    }
    lastQuarters_ = {lastQuarters_[1], lastQuarters_[2], quarterEnergy_};
    quarterEnergy_ = 0;
    quarterFill_ = 0;
}

std::optional<double> LoudnessMeter::integratedLufs() const {
    auto meanAbove = [this](double gateEnergy) -> std::optional<double> {
        double sum = 0;
        std::size_t n = 0;
        for (const double block : blocks_)
            if (block > gateEnergy) {
                sum += block;
                ++n;
            }
        if (n == 0) return std::nullopt;
        return sum / static_cast<double>(n);
    };
    const auto aboveAbsolute = meanAbove(energyOf(kAbsoluteGateLufs));
    if (!aboveAbsolute) return std::nullopt;
    const auto gated = meanAbove(energyOf(lufsOf(*aboveAbsolute) + kRelativeGateLu));
    if (!gated) return std::nullopt;
    return lufsOf(*gated);
}

double loudnessGainDb(double integratedLufs, float samplePeak, double targetLufs, double maxBoostDb,
                      double ceilingDbfs) {
    double gain = std::min(targetLufs - integratedLufs, maxBoostDb);
    if (samplePeak > 0.0f) gain = std::min(gain, ceilingDbfs - 20.0 * std::log10(static_cast<double>(samplePeak)));
    return gain;
}

}  // namespace kv
