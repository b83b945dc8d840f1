#include "playback/PrimingAudio.h"

#include <cstdint>

namespace kv {

namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string silentWav(int milliseconds) {
    constexpr std::uint32_t kRate = 44100;
    const std::uint32_t dataBytes = kRate * static_cast<std::uint32_t>(milliseconds) / 1000 * 2;
    std::string wav = "RIFF";
    putLittleEndian(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    putLittleEndian(wav, 16, 4);
    putLittleEndian(wav, 1, 2);  // PCM
    putLittleEndian(wav, 1, 2);  // mono
    putLittleEndian(wav, kRate, 4);
    putLittleEndian(wav, kRate * 2, 4);
    putLittleEndian(wav, 2, 2);
    putLittleEndian(wav, 16, 2);
    wav += "data";
    putLittleEndian(wav, dataBytes, 4);
    wav.append(dataBytes, '\0');
    return wav;
}

std::string silentMp3(int frames) {
    // 144 * 32000 / 44100 bytes a frame, without padding.
    constexpr std::size_t kFrameBytes = 104;
    std::string frame(kFrameBytes, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';  // MPEG-1, layer III, no CRC
    frame[2] = '\x10';  // 32 kbit/s, 44.1 kHz, no padding
    frame[3] = '\xC0';  // mono
    std::string mp3;
    for (int i = 0; i < frames; ++i) mp3 += frame;
    return mp3;
}

}  // namespace kv
