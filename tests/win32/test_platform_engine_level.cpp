// The engine's level, soft stop, device choice and loudness measurement, on real files and
// the real output: what the sound server plays is recorded from its monitor.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

#include "MonitorRecording.h"
#include "TestAudio.h"
#include "app/Texts.h"
#include "playback/Loudness.h"
#include "playback/win32/EngineMediaPlayer.h"

namespace {

using kv::MediaMode;
using kv::test::MonitorRecording;
using kv::test::TempFolder;
using kv::test::waitForMode;
using kv::test::writeSineWav;

class EngineLevel : public ::testing::Test {
protected:
    TempFolder temp;
    kv::BuiltinTexts texts;
    kv::EngineMediaPlayer player{texts, 0};

    // The peak the monitor hears while the file plays to its end at this gain.
    std::optional<float> playedPeak(const std::wstring& file, std::optional<double> gainDb) {
        MonitorRecording recording;
        if (!recording.started()) return std::nullopt;
        EXPECT_TRUE(player.open(file)) << player.errorMessage();
        if (gainDb) player.setGainDb(*gainDb);
        EXPECT_TRUE(player.play());
        EXPECT_TRUE(waitForMode(player, MediaMode::Stopped, 3000));
        Sleep(100);  // the last frames reach the monitor
        return MonitorRecording::peak(recording.stop());
    }
};

TEST_F(EngineLevel, AGainOfMinusSixDecibelsHalvesTheLevelAndTheNextOpenStartsAtUnity) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::wstring wav = temp / L"ton.wav";
    writeSineWav(wav, 600);
    const auto full = playedPeak(wav, std::nullopt);
    if (!full) GTEST_SKIP() << "the sound server's monitor cannot be recorded here";
    ASSERT_GT(*full, 0.1f) << "nothing heard at the monitor";
    const auto half = playedPeak(wav, -20.0 * std::log10(2.0));
    ASSERT_TRUE(half.has_value());
    EXPECT_NEAR(*half / *full, 0.5f, 0.05f);
    const auto again = playedPeak(wav, std::nullopt);
    ASSERT_TRUE(again.has_value());
    EXPECT_NEAR(*again / *full, 1.0f, 0.05f);
}

TEST_F(EngineLevel, FadeOutStopsTheJingleWithinItsTimeAsIfItHadEnded) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    EXPECT_FALSE(player.fadeOut(300)) << "nothing plays";
    const std::wstring wav = temp / L"lang.wav";
    writeSineWav(wav, 4000, 44100, 2);
    ASSERT_TRUE(player.open(wav));
    ASSERT_TRUE(player.play());
    Sleep(400);
    const ULONGLONG asked = GetTickCount64();
    ASSERT_TRUE(player.fadeOut(300));
    EXPECT_EQ(player.mode(), MediaMode::Playing) << "the fade takes its time";
    ASSERT_TRUE(waitForMode(player, MediaMode::Stopped, 2000));
    const ULONGLONG took = GetTickCount64() - asked;
    // The fade, and what was queued at the device before it (its buffer of 100 ms), on a
    // host shared with other builds.
    EXPECT_GE(took, 250u);
    EXPECT_LE(took, 750u);
    EXPECT_LT(player.position(), 1500) << "stopped where the fade ended, not at the file's end";
    EXPECT_FALSE(player.fadeOut(300));
}

TEST_F(EngineLevel, AnUnknownDeviceFallsBackToTheDefaultAndAListedOneIsTaken) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::vector<kv::OutputDevice> devices = player.outputDevices();
    ASSERT_FALSE(devices.empty());
    for (const kv::OutputDevice& device : devices) {
        EXPECT_FALSE(device.id.empty());
        EXPECT_FALSE(device.name.empty());
    }
    const std::wstring wav = temp / L"ton.wav";
    writeSineWav(wav, 300);
    player.setOutputDevice(L"{0.0.0.00000000}.{00000000-0000-0000-0000-000000000000}");
    ASSERT_TRUE(player.open(wav)) << player.errorMessage();
    EXPECT_TRUE(player.lastOpenUsedDefaultInstead());
    ASSERT_TRUE(player.play());
    EXPECT_TRUE(waitForMode(player, MediaMode::Stopped, 3000)) << "it plays on the default device";

    player.setOutputDevice(devices.back().id);
    ASSERT_TRUE(player.open(wav)) << player.errorMessage();
    EXPECT_FALSE(player.lastOpenUsedDefaultInstead());
    ASSERT_TRUE(player.play());
    EXPECT_TRUE(waitForMode(player, MediaMode::Stopped, 3000));
}

TEST_F(EngineLevel, LoudnessIsMeasuredOnAWorkerThreadAsTheFileIsHeard) {
    const std::wstring wav = temp / L"mono.wav";
    writeSineWav(wav, 2000);
    // The file's tone on both front speakers, through the meter itself.
    std::vector<float> heard;
    for (int i = 0; i < 2 * 22050; ++i) {
        const auto sample = static_cast<std::int16_t>(8000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / 22050));
        heard.insert(heard.end(), 2, static_cast<float>(sample) / 32768.0f);
    }
    kv::LoudnessMeter meter(22050, 2);
    meter.add(heard.data(), heard.size() / 2);

    std::mutex mutex;
    std::condition_variable answered;
    std::optional<kv::LoudnessReading> reading;
    DWORD thread = 0;
    player.measureLoudness(wav, [&](const std::wstring& file, std::optional<kv::LoudnessReading> r) {
        const std::lock_guard lock(mutex);
        EXPECT_EQ(file, wav);
        thread = GetCurrentThreadId();
        reading = r;
        answered.notify_all();
    });
    std::unique_lock lock(mutex);
    ASSERT_TRUE(answered.wait_for(lock, std::chrono::seconds(10), [&] { return thread != 0; }));
    EXPECT_NE(thread, GetCurrentThreadId());
    ASSERT_TRUE(reading.has_value());
    EXPECT_NEAR(reading->integratedLufs, *meter.integratedLufs(), 0.05);
    EXPECT_NEAR(reading->samplePeak, meter.samplePeak(), 1e-4);
}

}  // namespace
