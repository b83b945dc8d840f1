#pragma once
// Tiny audio files made in memory: the player decodes one of each kind once before the first
// press, so that the system's decoders are loaded and set up by then.
#include <string>

namespace kv {

// A 16-bit PCM mono WAV file of `milliseconds` of silence at 44.1 kHz.
std::string silentWav(int milliseconds);
// An MPEG-1 layer III stream of `frames` silent mono frames at 32 kbit/s and 44.1 kHz
// (1152 samples each): every frame's side information is zero, so it carries no data.
std::string silentMp3(int frames);

}  // namespace kv
