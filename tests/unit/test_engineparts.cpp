// The portable parts of the playback engine: the sample converter, the error texts and the
// rule for falling back to MCI, the audio sniffing, the long-path form and the player that
// tries the engine first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fakes/Fakes.h"
#include "app/Texts.h"
#include "playback/FallbackMediaPlayer.h"
#include "playback/PlaybackErrors.h"
#include "playback/PrimingAudio.h"
#include "playback/SampleConverter.h"

using namespace kv;

namespace {

std::vector<float> ramp(std::size_t frames, int channels) {
    std::vector<float> v;
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) v.push_back(static_cast<float>(i) + 0.5f * static_cast<float>(c));
    return v;
}

TEST(SampleConverter, SameRateMapsMonoToBothFrontChannelsAndSilencesTheRest) {
    SampleConverter converter({44100, 1}, {44100, 4});
    const std::vector<float> in{0.25f, -0.5f};
    std::vector<float> out;
    converter.convert(in.data(), 2, out);
    EXPECT_EQ(out, (std::vector<float>{0.25f, 0.25f, 0.0f, 0.0f, -0.5f, -0.5f, 0.0f, 0.0f}));
}

TEST(SampleConverter, StereoToMonoAveragesAndStereoToSixKeepsTheFrontPair) {
    const std::vector<float> in{0.2f, 0.6f, -1.0f, 0.0f};
    std::vector<float> mono, six;
    SampleConverter({48000, 2}, {48000, 1}).convert(in.data(), 2, mono);
    ASSERT_EQ(mono.size(), 2u);
    EXPECT_FLOAT_EQ(mono[0], 0.4f);
    EXPECT_FLOAT_EQ(mono[1], -0.5f);
    SampleConverter({48000, 2}, {48000, 6}).convert(in.data(), 2, six);
    EXPECT_EQ(six, (std::vector<float>{0.2f, 0.6f, 0, 0, 0, 0, -1.0f, 0.0f, 0, 0, 0, 0}));
}

TEST(SampleConverter, DoublingTheRateInterpolatesBetweenFrames) {
    SampleConverter converter({22050, 1}, {44100, 1});
    const std::vector<float> in{0.0f, 1.0f, 0.0f};
    std::vector<float> out;
    converter.convert(in.data(), 3, out);
    ASSERT_EQ(out.size(), 5u);
    const std::vector<float> expected{0.0f, 0.5f, 1.0f, 0.5f, 0.0f};
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_FLOAT_EQ(out[i], expected[i]) << i;
}

// A file fed in pieces of any size comes out as the same signal as fed whole, with the
// number of frames the rates ask for.
TEST(SampleConverter, PiecesGiveTheSameSignalAsTheWhole) {
    const std::size_t frames = 4410;
    const std::vector<float> in = ramp(frames, 2);
    for (const AudioFormat out : {AudioFormat{48000, 2}, AudioFormat{32000, 2}, AudioFormat{96000, 1}}) {
        std::vector<float> whole, pieces;
        SampleConverter({44100, 2}, out).convert(in.data(), frames, whole);
        SampleConverter converter({44100, 2}, out);
        for (std::size_t at = 0, size = 1; at < frames; at += size, size = size * 3 % 997 + 1) {
            const std::size_t n = std::min(size, frames - at);
            converter.convert(in.data() + at * 2, n, pieces);
        }
        ASSERT_EQ(pieces.size(), whole.size()) << out.sampleRate;
        for (std::size_t i = 0; i < whole.size(); ++i) ASSERT_NEAR(pieces[i], whole[i], 1e-3) << i;
        const double expectedFrames = frames * static_cast<double>(out.sampleRate) / 44100.0;
        EXPECT_NEAR(static_cast<double>(whole.size() / static_cast<std::size_t>(out.channels)), expectedFrames, 2.0);
        // A ramp stays a ramp: every output frame lies where its time falls in the input
        // (mono is the mean of the two channels, a quarter above the left one).
        const auto step = 44100.0 / out.sampleRate;
        const double offset = out.channels == 1 ? 0.25 : 0.0;
        for (std::size_t k = 0; k < whole.size() / static_cast<std::size_t>(out.channels); k += 97)
            EXPECT_NEAR(whole[k * static_cast<std::size_t>(out.channels)], static_cast<double>(k) * step + offset, 1e-2) << k;
    }
}

TEST(PlaybackErrors, EveryEngineErrorHasItsOwnTextAndOthersTheUnknownCode) {
    const BuiltinTexts texts;
    EXPECT_EQ(playbackErrorText(static_cast<int>(PlaybackError::FileInUse), texts),
              L"Die Datei wird von einem anderen Programm verwendet.");
    EXPECT_EQ(playbackErrorText(static_cast<int>(PlaybackError::NotAudio), texts), L"Die Datei ist keine Audiodatei.");
    EXPECT_EQ(playbackErrorText(static_cast<int>(PlaybackError::UnsupportedFormat), texts),
              L"Dieses Audioformat kann das System nicht abspielen.");
    std::vector<std::wstring> seen;
    for (int e = 101; e <= 109; ++e) {
        const std::wstring text = playbackErrorText(e, texts);
        EXPECT_NE(text, L"Unbekannter Fehler-Code") << e;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), text), 0) << e;
        seen.push_back(text);
    }
    EXPECT_EQ(playbackErrorText(263, texts), L"Unbekannter Fehler-Code");
    EXPECT_EQ(playbackErrorText(0, texts), L"Unbekannter Fehler-Code");
}

TEST(PlaybackErrors, MciIsTriedOnlyForFilesItCouldReadAndForAMissingOutput) {
    EXPECT_TRUE(mciMayPlayInstead(static_cast<int>(PlaybackError::UnsupportedFormat)));
    EXPECT_TRUE(mciMayPlayInstead(static_cast<int>(PlaybackError::NotAudio)));
    EXPECT_TRUE(mciMayPlayInstead(static_cast<int>(PlaybackError::NoOutputDevice)));
    EXPECT_TRUE(mciMayPlayInstead(static_cast<int>(PlaybackError::OutputFailed)));
    EXPECT_FALSE(mciMayPlayInstead(static_cast<int>(PlaybackError::FileInUse)));
    EXPECT_FALSE(mciMayPlayInstead(static_cast<int>(PlaybackError::FileNotFound)));
    EXPECT_FALSE(mciMayPlayInstead(static_cast<int>(PlaybackError::AccessDenied)));
    EXPECT_FALSE(mciMayPlayInstead(0));
}

bool sniff(const std::string& bytes) {
    return looksLikeAudio(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(LooksLikeAudio, KnowsTheAudioContainersAndRefusesText) {
    EXPECT_TRUE(sniff(std::string("RIFF\x24\0\0\0WAVEfmt ", 16)));
    EXPECT_TRUE(sniff("MThd\0\0\0\6"));
    EXPECT_TRUE(sniff("ID3\4\0"));
    EXPECT_TRUE(sniff("\xFF\xFB\x90\x64"));  // MPEG-1 layer III, 128 kbit/s, 44.1 kHz
    EXPECT_TRUE(sniff("OggS"));
    EXPECT_TRUE(sniff(std::string("FORM\0\0\0\0AIFF", 12)));
    EXPECT_TRUE(sniff(std::string("\0\0\0\x20" "ftypM4A ", 12)));
    EXPECT_FALSE(sniff(std::string("RIFF\x24\0\0\0AVI LIST", 16)));
    EXPECT_FALSE(sniff("Dies ist kein Klang, nur Text."));
    EXPECT_FALSE(sniff("\xFF\xFF\xFF\xFF"));  // sync bits, but a reserved layer and bit rate
    EXPECT_FALSE(sniff("RIF"));
    EXPECT_FALSE(sniff(""));
}

TEST(ExtendedLengthPath, PrefixesOnlyLongAbsolutePaths) {
    const std::wstring shortPath = L"C:\\Jingles\\a.wav";
    EXPECT_EQ(extendedLengthPath(shortPath), shortPath);
    const std::wstring folder(300, L'x');
    EXPECT_EQ(extendedLengthPath(L"C:\\" + folder + L"/a.wav"), L"\\\\?\\C:\\" + folder + L"\\a.wav");
    EXPECT_EQ(extendedLengthPath(L"\\\\server\\share\\" + folder), L"\\\\?\\UNC\\server\\share\\" + folder);
    EXPECT_EQ(extendedLengthPath(L"\\\\?\\C:\\" + folder), L"\\\\?\\C:\\" + folder);
    EXPECT_EQ(extendedLengthPath(folder), folder);  // relative: left to the system
    const std::wstring limit = L"C:\\" + std::wstring(256, L'y');  // 259 characters still fit
    EXPECT_EQ(extendedLengthPath(limit), limit);
}

class FallbackPlayer : public ::testing::Test {
protected:
    test::FakeMediaPlayer engine;
    test::FakeMediaPlayer mci;
    FallbackMediaPlayer player{engine, mci, mciMayPlayInstead};
};

TEST_F(FallbackPlayer, TheEngineTakesWhatItCanDecodeAndMciIsNotAsked) {
    ASSERT_TRUE(player.open(L"C:\\a.mp3"));
    EXPECT_FALSE(player.usingFallback());
    EXPECT_TRUE(mci.opened.empty());
    ASSERT_TRUE(player.play());
    EXPECT_EQ(player.mode(), MediaMode::Playing);
    engine.positionMs = 1234;
    EXPECT_EQ(player.position(), 1234);
    player.close();
    EXPECT_FALSE(engine.playing);
}

TEST_F(FallbackPlayer, AFormatTheEngineCannotDecodeGoesToMciAndStaysThereUntilTheNextOpen) {
    engine.failOpenWith = static_cast<int>(PlaybackError::UnsupportedFormat);
    mci.lengthMs = 4321;
    ASSERT_TRUE(player.open(L"C:\\a.mid"));
    EXPECT_TRUE(player.usingFallback());
    EXPECT_EQ(mci.opened, std::vector<std::wstring>{L"C:\\a.mid"});
    EXPECT_EQ(player.error(), 0);
    EXPECT_EQ(player.length(), 4321);
    ASSERT_TRUE(player.play());
    EXPECT_TRUE(mci.playing);
    EXPECT_FALSE(engine.playing);
    EXPECT_EQ(player.mode(), MediaMode::Playing);

    // The next file the engine decodes closes the MCI device first.
    engine.failOpenWith = 0;
    ASSERT_TRUE(player.open(L"C:\\b.wav"));
    EXPECT_FALSE(mci.playing);
    EXPECT_FALSE(player.usingFallback());
}

TEST_F(FallbackPlayer, ALockedFileIsReportedByTheEngineWithoutAskingMci) {
    engine.failOpenWith = static_cast<int>(PlaybackError::FileInUse);
    engine.failText = L"belegt";
    EXPECT_FALSE(player.open(L"C:\\a.wav"));
    EXPECT_TRUE(mci.opened.empty());
    EXPECT_EQ(player.error(), 102);
    EXPECT_EQ(player.errorMessage(), L"belegt");
}

TEST_F(FallbackPlayer, WhenNeitherCanPlayTheEnginesErrorIsKept) {
    engine.failOpenWith = static_cast<int>(PlaybackError::NotAudio);
    engine.failText = L"keine Audiodatei";
    mci.failOpenWith = 263;
    EXPECT_FALSE(player.open(L"C:\\text.mp3"));
    EXPECT_EQ(mci.opened.size(), 1u);
    EXPECT_EQ(player.error(), 104);
    EXPECT_EQ(player.errorMessage(), L"keine Audiodatei");
    EXPECT_NE(player.mode(), MediaMode::Playing);
    EXPECT_FALSE(player.play());
}

}  // namespace

namespace {

TEST(PrimingAudio, TheSilenceIsAWellFormedWavAndAStreamOfMp3Frames) {
    const std::string wav = silentWav(50);
    ASSERT_EQ(wav.size(), 44u + 4410u);
    EXPECT_TRUE(sniff(wav));
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(static_cast<unsigned char>(wav[40]) | static_cast<unsigned char>(wav[41]) << 8, 4410);
    EXPECT_EQ(wav.find_first_not_of('\0', 44), std::string::npos);

    const std::string mp3 = silentMp3(12);
    ASSERT_EQ(mp3.size(), 12u * 104u);
    for (std::size_t at = 0; at < mp3.size(); at += 104) EXPECT_TRUE(sniff(mp3.substr(at, 4))) << at;
}

}  // namespace
