// The MCI media player on real devices: a generated WAV file plays, a broken file fails
// with an error number and text. An MP3 file is tried when KV_TEST_MP3 names one.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestAudio.h"
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
using kv::test::waitForMode;
using kv::test::writeBytes;
using kv::test::writeSineWav;

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
