// The MCI media player on real devices: a generated WAV file plays, a broken file fails
// with an error number and text. An MP3 file is tried when KV_TEST_MP3 names one.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestFiles.h"
#include <mmsystem.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "playback/win32/MciMediaPlayer.h"
#include "app/Texts.h"

namespace {

namespace fs = std::filesystem;

using kv::test::TempFolder;
using kv::test::writeBytes;

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit PCM WAV file holding a 440 Hz sine of the given length.
void writeSineWav(const std::wstring& path, int milliseconds) {
    constexpr std::uint32_t kRate = 22050;
    const std::uint32_t samples = kRate * static_cast<std::uint32_t>(milliseconds) / 1000;
    const std::uint32_t dataBytes = samples * 2;
    std::string wav = "RIFF";
    putLittleEndian(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    putLittleEndian(wav, 16, 4);        // format chunk size
    putLittleEndian(wav, 1, 2);         // PCM
    putLittleEndian(wav, 1, 2);         // channels
    putLittleEndian(wav, kRate, 4);     // samples per second
    putLittleEndian(wav, kRate * 2, 4); // bytes per second
    putLittleEndian(wav, 2, 2);         // block align
    putLittleEndian(wav, 16, 2);        // bits per sample
    wav += "data";
    putLittleEndian(wav, dataBytes, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double value = 8000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / kRate);
        putLittleEndian(wav, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF, 2);
    }
    writeBytes(path, wav);
}

bool waitForMode(const kv::MciMediaPlayer& player, kv::MediaMode wanted, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        if (player.mode() == wanted) return true;
        Sleep(20);
    }
    return player.mode() == wanted;
}

// Playing needs an output device; under Wine there is none without a sound server.
#define KV_SKIP_WITHOUT_SOUND_OUTPUT()                                                \
    if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no sound output device (is a sound server running?)"

class MciMediaPlayerTest : public ::testing::Test {
protected:
    TempFolder temp;
    kv::BuiltinTexts texts;
    kv::MciMediaPlayer player{texts};
};

TEST_F(MciMediaPlayerTest, NothingOpenMeansNotPlaying) {
    EXPECT_FALSE(player.isOpen());
    EXPECT_NE(player.mode(), kv::MediaMode::Playing);
    EXPECT_EQ(player.position(), 0);
    EXPECT_EQ(player.length(), 0);
    player.close();  // closing without a device is harmless
    EXPECT_EQ(player.error(), 0);
}

TEST_F(MciMediaPlayerTest, PlaysAGeneratedWavInTheBackground) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::wstring wav = temp / L"sinus.wav";
    writeSineWav(wav, 1500);
    ASSERT_TRUE(player.open(wav)) << player.error();
    EXPECT_EQ(player.error(), 0);
    EXPECT_TRUE(player.isOpen());
    EXPECT_NEAR(player.length(), 1500, 30);
    EXPECT_EQ(player.position(), 0);

    ASSERT_TRUE(player.play()) << player.error();
    ASSERT_TRUE(waitForMode(player, kv::MediaMode::Playing, 2000));
    Sleep(400);
    EXPECT_EQ(player.mode(), kv::MediaMode::Playing);
    EXPECT_GT(player.position(), 100);
    EXPECT_LE(player.position(), player.length());

    // The file plays to its end on its own.
    EXPECT_TRUE(waitForMode(player, kv::MediaMode::Stopped, 4000));
    EXPECT_NEAR(player.position(), player.length(), 50);

    player.close();
    EXPECT_FALSE(player.isOpen());
    EXPECT_NE(player.mode(), kv::MediaMode::Playing);
}

TEST_F(MciMediaPlayerTest, CloseStopsAPlayingDevice) {
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    const std::wstring wav = temp / L"lang.wav";
    writeSineWav(wav, 3000);
    ASSERT_TRUE(player.open(wav));
    ASSERT_TRUE(player.play());
    ASSERT_TRUE(waitForMode(player, kv::MediaMode::Playing, 2000));
    player.close();
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.error(), 0);
    EXPECT_EQ(player.mode(), kv::MediaMode::NotReady);
}

TEST_F(MciMediaPlayerTest, OpeningAgainClosesThePreviousDevice) {
    const std::wstring first = temp / L"eins.wav";
    const std::wstring second = temp / L"zwei.wav";
    writeSineWav(first, 500);
    writeSineWav(second, 1000);
    ASSERT_TRUE(player.open(first));
    ASSERT_TRUE(player.open(second));
    EXPECT_NEAR(player.length(), 1000, 30);
    // The first device is closed: its file can be deleted, which an open device prevents.
    EXPECT_TRUE(DeleteFileW(first.c_str())) << GetLastError();
}

TEST_F(MciMediaPlayerTest, TextFileNamedWavFailsWithErrorAndText) {
    const std::wstring fake = temp / L"kein.wav";
    writeBytes(fake, "Dies ist kein Klang, nur Text.\r\n");
    EXPECT_FALSE(player.open(fake));
    EXPECT_GT(player.error(), 0);
    EXPECT_FALSE(player.errorMessage().empty());
    EXPECT_NE(player.errorMessage(), L"Unbekannter Fehler-Code");
    EXPECT_FALSE(player.isOpen());
    EXPECT_NE(player.mode(), kv::MediaMode::Playing);
}

TEST_F(MciMediaPlayerTest, MissingFileFailsWithError) {
    EXPECT_FALSE(player.open(temp / L"fehlt.wav"));
    EXPECT_GT(player.error(), 0);
    EXPECT_FALSE(player.errorMessage().empty());
}

TEST_F(MciMediaPlayerTest, PlayWithoutDeviceFails) {
    EXPECT_FALSE(player.play());
    EXPECT_GT(player.error(), 0);
}

TEST_F(MciMediaPlayerTest, MovingHandsTheDeviceOver) {
    const std::wstring wav = temp / L"move.wav";
    writeSineWav(wav, 500);
    ASSERT_TRUE(player.open(wav));
    kv::MciMediaPlayer moved(std::move(player));
    EXPECT_TRUE(moved.isOpen());
    EXPECT_FALSE(player.isOpen());  // NOLINT: the moved-from player is left closed on purpose
    EXPECT_NEAR(moved.length(), 500, 30);
}

TEST_F(MciMediaPlayerTest, PlaysAnMp3FileWhenOneIsGiven) {
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KV_TEST_MP3", path, MAX_PATH) == 0)
        GTEST_SKIP() << "set KV_TEST_MP3 to an MP3 file to test it";
    KV_SKIP_WITHOUT_SOUND_OUTPUT();
    ASSERT_TRUE(player.open(path)) << player.error();
    EXPECT_GT(player.length(), 0);
    ASSERT_TRUE(player.play()) << player.error();
    EXPECT_TRUE(waitForMode(player, kv::MediaMode::Playing, 3000));
    player.close();
    EXPECT_FALSE(player.isOpen());
}

TEST(MciErrorText, UsesTheSystemTextOrTheUnknownCodeText) {
    const kv::BuiltinTexts texts;
    const std::wstring known = kv::mciErrorText(MCIERR_FILE_NOT_FOUND, texts);
    EXPECT_FALSE(known.empty());
    EXPECT_NE(known, L"Unbekannter Fehler-Code");
    EXPECT_EQ(kv::mciErrorText(0xFFFF, texts), L"Unbekannter Fehler-Code");
}

TEST(MediaModeFromMci, MapsEveryModeNumber) {
    EXPECT_EQ(kv::mediaModeFromMci(MCI_MODE_NOT_READY), kv::MediaMode::NotReady);
    EXPECT_EQ(kv::mediaModeFromMci(MCI_MODE_STOP), kv::MediaMode::Stopped);
    EXPECT_EQ(kv::mediaModeFromMci(MCI_MODE_PLAY), kv::MediaMode::Playing);
    EXPECT_EQ(kv::mediaModeFromMci(MCI_MODE_RECORD), kv::MediaMode::Recording);
    EXPECT_EQ(kv::mediaModeFromMci(MCI_MODE_SEEK), kv::MediaMode::Seeking);
    EXPECT_EQ(kv::mediaModeFromMci(MCI_MODE_PAUSE), kv::MediaMode::Paused);
    EXPECT_EQ(kv::mediaModeFromMci(MCI_MODE_OPEN), kv::MediaMode::Open);
    EXPECT_EQ(kv::mediaModeFromMci(0), kv::MediaMode::NotReady);
    EXPECT_EQ(kv::mediaModeFromMci(MCI_MODE_OPEN + 1), kv::MediaMode::NotReady);
}

}  // namespace
