// The loudness meter against known levels and, where libebur128 is installed, against that
// library on generated signals; and the gain rule for one loudness.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

#include "playback/Loudness.h"

#if defined(KV_HAVE_EBUR128)
#include <ebur128.h>
#endif

using namespace kv;

namespace {

struct Signal {
    int rate;
    int channels;
    std::vector<float> frames;
};

// `seconds` of interleaved frames; sample(channel, time in seconds) gives each value.
Signal generate(int rate, int channels, double seconds, const std::function<double(int, double)>& sample) {
    Signal s{rate, channels, {}};
    const auto count = static_cast<std::size_t>(seconds * rate);
    for (std::size_t i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c) s.frames.push_back(static_cast<float>(sample(c, static_cast<double>(i) / rate)));
    return s;
}

double amplitude(double dbfs) { return std::pow(10.0, dbfs / 20.0); }
double sine(double hz, double t) { return std::sin(2.0 * std::numbers::pi * hz * t); }

// A repeatable noise in [-1, 1].
class Noise {
public:
    double next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 52) - 1.0;
    }

private:
    std::uint64_t state_ = 12345;
};

std::optional<double> measure(const Signal& s, std::size_t piece = 1000) {
    LoudnessMeter meter(s.rate, s.channels);
    const auto channels = static_cast<std::size_t>(s.channels);
    const std::size_t frames = s.frames.size() / channels;
    for (std::size_t at = 0; at < frames; at += piece)
        meter.add(s.frames.data() + at * channels, std::min(piece, frames - at));
    return meter.integratedLufs();
}

TEST(LoudnessMeter, AStereoSineOf1kHzMeasuresAtItsLevelInDbfs) {
    for (const double level : {-23.0, -33.0}) {
        const Signal s = generate(48000, 2, 20.0, [&](int, double t) { return amplitude(level) * sine(1000, t); });
        const auto lufs = measure(s);
        ASSERT_TRUE(lufs.has_value());
        EXPECT_NEAR(*lufs, level, 0.1);
    }
}

TEST(LoudnessMeter, SilenceAndTooShortASignalHaveNoLoudness) {
    EXPECT_FALSE(measure(generate(44100, 2, 3.0, [](int, double) { return 0.0; })).has_value());
    EXPECT_FALSE(measure(generate(44100, 2, 0.3, [](int, double t) { return 0.5 * sine(1000, t); })).has_value());
    EXPECT_TRUE(measure(generate(44100, 2, 0.41, [](int, double t) { return 0.5 * sine(1000, t); })).has_value());
}

// Quiet passages below the relative gate do not pull a jingle's loudness down.
TEST(LoudnessMeter, TheRelativeGateLeavesOutQuietPassages) {
    const Signal loud = generate(48000, 2, 10.0, [](int, double t) { return amplitude(-20) * sine(1000, t); });
    const Signal mixed = generate(48000, 2, 20.0, [](int, double t) {
        return (t < 10.0 ? amplitude(-20) : amplitude(-50)) * sine(1000, t);
    });
    // Without the gate the quiet half would take 3 LU off; the blocks across the step stay in.
    EXPECT_NEAR(*measure(mixed), *measure(loud), 0.1);
}

TEST(LoudnessMeter, PiecesOfAnySizeGiveTheSameLoudnessAndPeak) {
    const Signal s = generate(44100, 1, 5.0, [](int, double t) { return 0.3 * sine(440, t) * (t < 2.5 ? 1.0 : 0.5); });
    const auto whole = measure(s, s.frames.size());
    EXPECT_NEAR(*measure(s, 1), *whole, 1e-9);
    EXPECT_NEAR(*measure(s, 777), *whole, 1e-9);
    LoudnessMeter meter(44100, 1);
    meter.add(s.frames.data(), s.frames.size());
    EXPECT_NEAR(meter.samplePeak(), 0.3, 1e-3);
}

TEST(LoudnessGain, BringsToTheTargetWithinTheBoostAndTheCeiling) {
    EXPECT_DOUBLE_EQ(loudnessGainDb(-12.0, 0.5f), -6.0);        // too loud: turned down
    EXPECT_DOUBLE_EQ(loudnessGainDb(-22.0, 0.1f), 4.0);         // quiet: raised to the target
    EXPECT_DOUBLE_EQ(loudnessGainDb(-40.0, 0.01f), 6.0);        // very quiet: at most +6 dB
    // A peak at -3 dBFS may rise by 2 dB only, though 4 dB would reach the target.
    EXPECT_NEAR(loudnessGainDb(-22.0, static_cast<float>(amplitude(-3.0))), 2.0, 1e-6);
    // A peak already above the ceiling is brought under it, whatever the loudness.
    EXPECT_NEAR(loudnessGainDb(-30.0, 1.0f), -1.0, 1e-9);
    EXPECT_DOUBLE_EQ(loudnessGainDb(-20.0, 0.0f), 2.0);
}

#if defined(KV_HAVE_EBUR128)

double reference(const Signal& s) {
    ebur128_state* state = ebur128_init(static_cast<unsigned>(s.channels), static_cast<unsigned long>(s.rate), EBUR128_MODE_I);
    if (s.channels == 6) {
        const int map[6] = {EBUR128_LEFT, EBUR128_RIGHT, EBUR128_CENTER, EBUR128_UNUSED, EBUR128_LEFT_SURROUND,
                            EBUR128_RIGHT_SURROUND};
        for (unsigned c = 0; c < 6; ++c) ebur128_set_channel(state, c, map[c]);
    }
    ebur128_add_frames_float(state, s.frames.data(), s.frames.size() / static_cast<std::size_t>(s.channels));
    double lufs = 0;
    ebur128_loudness_global(state, &lufs);
    ebur128_destroy(&state);
    return lufs;
}

TEST(LoudnessMeterAgainstLibebur128, AgreesWithin0_1LuOnGeneratedSignals) {
    struct Case {
        const char* name;
        Signal signal;
    };
    Noise noise;
    std::vector<Case> cases;
    cases.push_back({"stereo 1 kHz at 48 kHz", generate(48000, 2, 8.0, [](int, double t) { return 0.2 * sine(1000, t); })});
    cases.push_back({"mono 100 Hz at 44.1 kHz", generate(44100, 1, 6.0, [](int, double t) { return 0.5 * sine(100, t); })});
    cases.push_back({"stereo 8 kHz at 22.05 kHz", generate(22050, 2, 5.0, [](int c, double t) { return (c ? 0.1 : 0.3) * sine(8000, t); })});
    cases.push_back({"noise with pauses at 44.1 kHz", generate(44100, 2, 12.0, [&](int, double t) {
                         const double level = std::fmod(t, 3.0) < 2.0 ? 0.4 : 0.004;
                         return level * noise.next();
                     })});
    cases.push_back({"steps 30 dB apart at 96 kHz", generate(96000, 2, 9.0, [](int, double t) {
                         return (t < 3.0 ? 0.5 : t < 6.0 ? 0.0158 : 0.25) * sine(440 + 300 * t, t);
                     })});
    cases.push_back({"5.1 at 48 kHz", generate(48000, 6, 5.0, [](int c, double t) { return 0.1 * (c + 1) * sine(500 + 200 * c, t); })});
    for (const Case& c : cases) {
        const auto ours = measure(c.signal);
        ASSERT_TRUE(ours.has_value()) << c.name;
        EXPECT_NEAR(*ours, reference(c.signal), 0.1) << c.name;
    }
}

#endif

}  // namespace
