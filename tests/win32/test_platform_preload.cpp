// Slots prepared ahead of their press, on real files and the real output: a prepared file
// opens from memory (also while another program holds it) and plays; a file changed since is
// opened afresh; a long file plays on past the part kept in memory, its rest joining the
// memory's frames exactly.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestAudio.h"
#include "app/Texts.h"
#include "app/win32/UniqueHandle.h"
#include "playback/PlaybackErrors.h"
#include "playback/win32/EngineMediaPlayer.h"
#include "playback/win32/StreamContinuation.h"

namespace {

using kv::MediaMode;
using kv::test::writeSineWav;

kv::UniqueHandle holdExclusively(const std::wstring& path) {
    return kv::UniqueHandle(
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

class Preloading : public ::testing::Test {
protected:
    kv::test::TempFolder temp;
    kv::BuiltinTexts texts;
    // About 2.6 s of stereo float at 48 kHz for all; a longer file keeps its first second.
    kv::EngineMediaPlayer player{texts, 0, kv::PreloadLimits{1'000'000, 1}};

    // Once the worker has prepared the file: opens it while another program holds it, which
    // only its prepared copy can do.
    bool openFromMemory(const std::wstring& path) {
        const ULONGLONG end = GetTickCount64() + 8000;
        while (!player.isPrepared(path) && GetTickCount64() < end) Sleep(20);
        const kv::UniqueHandle held = holdExclusively(path);
        return held && player.open(path);
    }
};

TEST_F(Preloading, APreparedFileOpensFromMemoryAndPlaysToItsEnd) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::wstring wav = temp / L"kurz.wav";
    writeSineWav(wav, 1200);
    player.preload({wav, temp / L"fehlt.wav"});
    ASSERT_TRUE(openFromMemory(wav)) << player.errorMessage();
    EXPECT_NEAR(player.length(), 1200, 5);
    const kv::UniqueHandle held = holdExclusively(wav);
    ASSERT_TRUE(player.play()) << player.errorMessage();
    Sleep(400);
    EXPECT_GT(player.position(), 150);
    EXPECT_LT(player.position(), 700);
    EXPECT_TRUE(kv::test::waitForMode(player, MediaMode::Stopped, 3000));
    EXPECT_EQ(player.position(), player.length());
}

TEST_F(Preloading, AFileWrittenSinceItWasPreparedIsOpenedAfresh) {
    const std::wstring wav = temp / L"neu.wav";
    writeSineWav(wav, 1000);
    player.preload({wav});
    ASSERT_TRUE(openFromMemory(wav));
    writeSineWav(wav, 600);  // another size
    ASSERT_TRUE(player.open(wav)) << player.errorMessage();
    EXPECT_NEAR(player.length(), 600, 5);
    player.close();
    ASSERT_TRUE(openFromMemory(wav)) << "prepared again in its new version";

    {  // The same size, another time: opened afresh, so the held file cannot be opened.
        const kv::UniqueHandle file(CreateFileW(wav.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        FILETIME written{};
        ASSERT_TRUE(GetFileTime(file.get(), nullptr, nullptr, &written));
        written.dwHighDateTime += 1;  // some seven minutes later
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &written));
    }
    const kv::UniqueHandle held = holdExclusively(wav);
    EXPECT_FALSE(player.open(wav));
    EXPECT_EQ(player.error(), static_cast<int>(kv::PlaybackError::FileInUse));
}

TEST_F(Preloading, ALongFilePlaysOnPastItsPreparedSecondToItsEnd) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::wstring wav = temp / L"lang.wav";
    writeSineWav(wav, 3500, 44100, 2);
    player.preload({wav});
    ASSERT_TRUE(openFromMemory(wav));
    EXPECT_NEAR(player.length(), 3500, 5);
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(player.play());
    int latest = 0;
    while (player.mode() == MediaMode::Playing && GetTickCount64() - started < 6000) {
        latest = std::max(latest, player.position());
        Sleep(20);
    }
    EXPECT_GE(GetTickCount64() - started, 3300u) << "ended early, at about " << latest << " ms";
    EXPECT_GT(latest, 3000);
    EXPECT_EQ(player.position(), player.length());
}

// The rest decoded after 30001 frames in memory (not at a piece's border), followed on,
// gives the frames of one decoding of the whole file, converted alike.
TEST(StreamRest, ContinuesTheConvertedFramesWhereTheMemoryEnds) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        const kv::MediaFoundationScope mediaFoundation;
        kv::test::TempFolder temp;
        const std::wstring wav = temp / L"mono.wav";
        writeSineWav(wav, 1500, 44100, 1);
        const kv::AudioFormat output{48000, 2};
        auto decodeOn = [](kv::MfAudioFile& file, kv::SampleConverter& converter, std::vector<float>& out) {
            for (std::vector<float> piece; file.read(piece); piece.clear()) converter.convert(piece.data(), piece.size(), out);
        };
        kv::MfAudioFile whole;
        ASSERT_EQ(whole.open(wav), kv::PlaybackError::None);
        kv::SampleConverter converter(whole.format(), output);
        std::vector<float> expected;
        decodeOn(whole, converter, expected);

        kv::StreamContinuation continuation(wav, 30001, output);
        for (const ULONGLONG end = GetTickCount64() + 5000; !continuation.ready() && GetTickCount64() < end;) Sleep(10);
        auto rest = continuation.take();
        ASSERT_TRUE(rest.has_value());
        std::vector<float> joined(expected.begin(), expected.begin() + 30001 * 2);
        joined.insert(joined.end(), rest->frames.begin(), rest->frames.end());
        if (!rest->ended) decodeOn(*rest->file, *rest->converter, joined);
        EXPECT_TRUE(joined == expected) << joined.size() << " values, not " << expected.size();
    }
    CoUninitialize();
}

}  // namespace
