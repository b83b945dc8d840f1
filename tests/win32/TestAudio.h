#pragma once
// Audio files for the player tests: a generated tone as a 16-bit PCM WAV file, a minimal
// MIDI file, and a wait for a player's mode.
#include <windows.h>
#include <mmsystem.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "TestFiles.h"
#include "playback/MediaPlayer.h"

namespace kv::test {

inline void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 16-bit PCM WAV file holding a 440 Hz sine of the given length.
inline void writeSineWav(const std::wstring& path, int milliseconds, std::uint32_t rate = 22050,
                         std::uint16_t channels = 1) {
    const std::uint32_t frames = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
    const std::uint32_t dataBytes = frames * 2 * channels;
    std::string wav = "RIFF";
    putLittleEndian(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    putLittleEndian(wav, 16, 4);                   // format chunk size
    putLittleEndian(wav, 1, 2);                    // PCM
    putLittleEndian(wav, channels, 2);
    putLittleEndian(wav, rate, 4);                 // samples per second
    putLittleEndian(wav, rate * 2 * channels, 4);  // bytes per second
    putLittleEndian(wav, 2 * channels, 2);         // block align
    putLittleEndian(wav, 16, 2);                   // bits per sample
    wav += "data";
    putLittleEndian(wav, dataBytes, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double value = 8000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / rate);
        for (std::uint16_t c = 0; c < channels; ++c)
            putLittleEndian(wav, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF, 2);
    }
    writeBytes(path, wav);
}

// A format-0 MIDI file: one note of about a second.
inline void writeMidi(const std::wstring& path) {
    const std::string track("\x00\x90\x3C\x60"       // note on, middle C
                            "\x83\x60\x80\x3C\x00"   // 480 ticks later: note off
                            "\x00\xFF\x2F\x00",      // end of track
                            13);
    std::string midi("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0", 14);  // 480 ticks a quarter
    midi += "MTrk";
    midi += std::string("\x00\x00\x00", 3) + static_cast<char>(track.size());
    midi += track;
    writeBytes(path, midi);
}

inline bool waitForMode(const IMediaPlayer& player, MediaMode wanted, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        if (player.mode() == wanted) return true;
        Sleep(10);
    }
    return player.mode() == wanted;
}

}  // namespace kv::test

// Playing needs an output device; under Wine there is none without a sound server.
#define KV_SKIP_WITHOUT_SOUND_OUTPUT()                                                \
    if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no sound output device (is a sound server running?)"
