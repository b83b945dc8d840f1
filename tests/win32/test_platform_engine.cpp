// The program's own playback engine on real files and the real output: Media Foundation
// decodes WAV and MP3 whole, the player plays, counts and stops, reports what is wrong with
// a file it cannot play, and hands MIDI to the MCI player.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "TestAudio.h"
#include "app/Texts.h"
#include "app/win32/UniqueHandle.h"
#include "playback/FallbackMediaPlayer.h"
#include "playback/PlaybackErrors.h"
#include "playback/PrimingAudio.h"
#include "playback/win32/EngineMediaPlayer.h"
#include "playback/win32/MciMediaPlayer.h"
#include "playback/win32/MfAudioFile.h"

namespace {

using kv::MediaMode;
using kv::PlaybackError;
using kv::test::TempFolder;
using kv::test::waitForMode;
using kv::test::writeBytes;
using kv::test::writeSineWav;

std::wstring testMp3() {
    wchar_t path[MAX_PATH] = {};
    return GetEnvironmentVariableW(L"KV_TEST_MP3", path, MAX_PATH) ? path : L"";
}

// The decoder on the test's own thread, as the player's thread uses it.
class MfDecoding : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    void TearDown() override { CoUninitialize(); }

    // Decodes the whole file; the frame count, or -1 when it does not open.
    long long decodeFrames(const std::wstring& path, kv::MfAudioFile& file) {
        if (file.open(path) != PlaybackError::None) return -1;
        std::vector<float> all;
        while (file.read(all)) {
        }
        EXPECT_FALSE(file.failed());
        return static_cast<long long>(all.size()) / file.format().channels;
    }

    TempFolder temp;
    kv::MediaFoundationScope mediaFoundation;
};

TEST_F(MfDecoding, AWavFileComesOutWholeAtItsOwnRate) {
    const std::wstring wav = temp / L"stereo.wav";
    writeSineWav(wav, 1500, 48000, 2);
    kv::MfAudioFile file;
    EXPECT_EQ(decodeFrames(wav, file), 72000);
    EXPECT_EQ(file.format(), (kv::AudioFormat{48000, 2}));
    EXPECT_NEAR(file.durationMs(), 1500, 2);
}

TEST_F(MfDecoding, AnMp3FileComesOutWhole) {
    const std::wstring mp3 = testMp3();
    if (mp3.empty()) GTEST_SKIP() << "set KV_TEST_MP3 to an MP3 file to test it";
    kv::MfAudioFile file;
    const long long frames = decodeFrames(mp3, file);
    // 1.5 s at 44.1 kHz; the encoder adds a few frames of delay and padding.
    EXPECT_GE(frames, 66150 - 1200);
    EXPECT_LE(frames, 66150 + 2400);
    EXPECT_EQ(file.format().sampleRate, 44100);
    EXPECT_NEAR(file.durationMs(), 1500, 60);
}

// The silence decoded before the first press goes through the same decoders as real files.
TEST_F(MfDecoding, TheSilenceMadeInMemoryDecodesAsWavAndMp3) {
    std::vector<float> wavFrames, mp3Frames;
    kv::MfAudioFile wav, mp3;
    ASSERT_EQ(wav.openMemory(kv::silentWav(50), L"prime.wav"), PlaybackError::None);
    while (wav.read(wavFrames)) {
    }
    EXPECT_EQ(wavFrames.size(), 2205u);
    ASSERT_EQ(mp3.openMemory(kv::silentMp3(12), L"prime.mp3"), PlaybackError::None);
    while (mp3.read(mp3Frames)) {
    }
    EXPECT_FALSE(mp3.failed());
    EXPECT_GE(mp3Frames.size(), 1152u * 8 * static_cast<std::size_t>(mp3.format().channels));
    for (const float value : mp3Frames) ASSERT_EQ(value, 0.0f);
}

class EnginePlayer : public ::testing::Test {
protected:
    TempFolder temp;
    kv::BuiltinTexts texts;
    kv::EngineMediaPlayer player{texts, 0};

    void expectError(PlaybackError error, const wchar_t* text) {
        EXPECT_EQ(player.error(), static_cast<int>(error));
        EXPECT_EQ(player.errorMessage(), text);
        EXPECT_EQ(player.mode(), MediaMode::NotReady);
        EXPECT_EQ(player.length(), 0);
    }
};

TEST_F(EnginePlayer, NothingOpenIsNotReadyAndCannotPlay) {
    EXPECT_EQ(player.mode(), MediaMode::NotReady);
    EXPECT_EQ(player.position(), 0);
    player.close();
    EXPECT_EQ(player.error(), 0);
    EXPECT_FALSE(player.play());
    EXPECT_EQ(player.errorMessage(), L"Es ist keine Datei geöffnet.");
}

TEST_F(EnginePlayer, PlaysAWavToItsEndCountingThePosition) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::wstring wav = temp / L"sinus.wav";
    writeSineWav(wav, 1200);
    ASSERT_TRUE(player.open(wav)) << player.errorMessage();
    EXPECT_EQ(player.mode(), MediaMode::Stopped);
    EXPECT_NEAR(player.length(), 1200, 5);
    EXPECT_EQ(player.position(), 0);

    ASSERT_TRUE(player.play()) << player.errorMessage();
    EXPECT_EQ(player.mode(), MediaMode::Playing);  // at once, not some time after the call
    Sleep(500);
    const int position = player.position();
    EXPECT_GT(position, 200);
    EXPECT_LT(position, 700);
    EXPECT_EQ(player.mode(), MediaMode::Playing);

    EXPECT_TRUE(waitForMode(player, MediaMode::Stopped, 3000));
    EXPECT_EQ(player.position(), player.length());
    player.close();
    EXPECT_EQ(player.mode(), MediaMode::NotReady);
}

TEST_F(EnginePlayer, CloseStopsAtOnceAndLetsTheFileGo) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::wstring wav = temp / L"lang.wav";
    writeSineWav(wav, 5000, 44100, 2);
    ASSERT_TRUE(player.open(wav));
    ASSERT_TRUE(player.play());
    Sleep(200);
    player.close();
    EXPECT_EQ(player.mode(), MediaMode::NotReady);
    EXPECT_EQ(player.error(), 0);
    EXPECT_TRUE(DeleteFileW(wav.c_str())) << GetLastError();
}

TEST_F(EnginePlayer, OpeningAnotherFileStopsThePlayingOne) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::wstring first = temp / L"eins.wav";
    const std::wstring second = temp / L"zwei.wav";
    writeSineWav(first, 4000);
    writeSineWav(second, 800);
    ASSERT_TRUE(player.open(first));
    ASSERT_TRUE(player.play());
    Sleep(300);
    ASSERT_TRUE(player.open(second));
    EXPECT_EQ(player.mode(), MediaMode::Stopped);
    EXPECT_NEAR(player.length(), 800, 5);
    EXPECT_EQ(player.position(), 0);
    EXPECT_TRUE(DeleteFileW(first.c_str())) << GetLastError();
}

TEST_F(EnginePlayer, AnMp3Plays) {
    const std::wstring mp3 = testMp3();
    if (mp3.empty()) GTEST_SKIP() << "set KV_TEST_MP3 to an MP3 file to test it";
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    ASSERT_TRUE(player.open(mp3)) << player.errorMessage();
    EXPECT_NEAR(player.length(), 1500, 60);
    ASSERT_TRUE(player.play());
    Sleep(300);
    EXPECT_EQ(player.mode(), MediaMode::Playing);
    EXPECT_GT(player.position(), 100);
    player.close();
}

// Folders nested beyond 260 characters, removed again innermost first (the temporary
// folder's own cleanup goes by short paths only).
class LongFolder {
public:
    explicit LongFolder(const std::wstring& base) : path_(base) {
        while (path_.size() < 300) {
            path_ += L"\\Ordner mit einem recht langen Namen";
            if (!CreateDirectoryW(kv::extendedLengthPath(path_).c_str(), nullptr)) break;
            created_.push_back(path_);
        }
    }
    ~LongFolder() {
        for (const std::wstring& file : files_) DeleteFileW(kv::extendedLengthPath(file).c_str());
        for (auto it = created_.rbegin(); it != created_.rend(); ++it)
            RemoveDirectoryW(kv::extendedLengthPath(*it).c_str());
    }
    LongFolder(const LongFolder&) = delete;
    LongFolder& operator=(const LongFolder&) = delete;
    bool made() const { return !created_.empty() && created_.back() == path_; }
    std::wstring file(const std::wstring& name) {
        files_.push_back(path_ + L"\\" + name);
        return files_.back();
    }

private:
    std::wstring path_;
    std::vector<std::wstring> created_;
    std::vector<std::wstring> files_;
};

TEST_F(EnginePlayer, APathLongerThan260CharactersPlays) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    LongFolder folder(temp.path());
    ASSERT_TRUE(folder.made()) << GetLastError();
    const std::wstring wav = folder.file(L"jingle.wav");
    ASSERT_GT(wav.size(), 300u);
    writeSineWav(kv::extendedLengthPath(wav), 600);
    ASSERT_TRUE(player.open(wav)) << player.errorMessage();
    EXPECT_NEAR(player.length(), 600, 5);
    ASSERT_TRUE(player.play());
    EXPECT_TRUE(waitForMode(player, MediaMode::Stopped, 3000));
    player.close();
}

TEST_F(EnginePlayer, AMissingFileIsReportedAsNotFound) {
    EXPECT_FALSE(player.open(temp / L"fehlt.wav"));
    expectError(PlaybackError::FileNotFound, L"Die Datei wurde nicht gefunden.");
}

TEST_F(EnginePlayer, AFileHeldByAnotherProgramIsReportedAsInUse) {
    const std::wstring wav = temp / L"belegt.wav";
    writeSineWav(wav, 500);
    const kv::UniqueHandle held(
        CreateFileW(wav.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held) << GetLastError();
    EXPECT_FALSE(player.open(wav));
    expectError(PlaybackError::FileInUse, L"Die Datei wird von einem anderen Programm verwendet.");
}

TEST_F(EnginePlayer, TextNamedLikeAnMp3IsNotAnAudioFile) {
    const std::wstring fake = temp / L"kein.mp3";
    writeBytes(fake, "Dies ist kein Klang, nur Text.\r\n");
    EXPECT_FALSE(player.open(fake));
    expectError(PlaybackError::NotAudio, L"Die Datei ist keine Audiodatei.");
}

TEST_F(EnginePlayer, MidiIsAFormatTheEngineLeavesToMci) {
    const std::wstring midi = temp / L"note.mid";
    kv::test::writeMidi(midi);
    EXPECT_FALSE(player.open(midi));
    EXPECT_TRUE(kv::mciMayPlayInstead(player.error())) << player.error();
}

TEST_F(EnginePlayer, TheProgramsPlayerHandsMidiToMciAndKeepsTheEngineForWav) {
    kv::MciMediaPlayer mci(texts);
    kv::FallbackMediaPlayer both(player, mci, kv::mciMayPlayInstead);
    const std::wstring midi = temp / L"note.mid";
    const std::wstring wav = temp / L"ton.wav";
    kv::test::writeMidi(midi);
    writeSineWav(wav, 500);

    kv::MciMediaPlayer probe(texts);
    if (!probe.open(midi)) {
        // Without a MIDI device MCI cannot take it either; the engine's text stands.
        EXPECT_FALSE(both.open(midi));
        EXPECT_EQ(both.error(), player.error());
        GTEST_SKIP() << "MCI opens no MIDI here (error " << probe.error() << ")";
    }
    probe.close();
    ASSERT_TRUE(both.open(midi)) << both.errorMessage();
    EXPECT_TRUE(both.usingFallback());
    EXPECT_TRUE(mci.isOpen());
    EXPECT_GT(both.length(), 0);
    ASSERT_TRUE(both.open(wav)) << both.errorMessage();
    EXPECT_FALSE(both.usingFallback());
    EXPECT_FALSE(mci.isOpen());
    EXPECT_NEAR(both.length(), 500, 5);
}

}  // namespace
