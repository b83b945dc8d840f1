#pragma once
// The errors of the program's own playback engine: numbers of their own (below the MCI
// error numbers, which start at 256), each with a text that says what is wrong, and the
// rule for which of them the MCI player may still get around.
#include <cstddef>
#include <string>

#include "app/Texts.h"

namespace kv {

enum class PlaybackError : int {
    None = 0,
    FileNotFound = 101,
    FileInUse = 102,          // another program holds the file without sharing it
    AccessDenied = 103,
    NotAudio = 104,           // the content is no audio format at all
    UnsupportedFormat = 105,  // an audio format the system has no decoder for
    ReadFailed = 106,
    NoOutputDevice = 107,
    OutputFailed = 108,
    NothingOpen = 109,
};

// The text for an engine error number, or "Unbekannter Fehler-Code" for any other number.
std::wstring playbackErrorText(int error, const ITexts& texts);

// True when the MCI player should be tried after the engine failed with this error: the
// file could be read, but not decoded, or the engine has no output. A missing or locked
// file fails the same way for MCI, so the engine's clearer text is kept for those.
bool mciMayPlayInstead(int engineError);

// Whether the first bytes of a file are those of a known audio format (wave, AIFF, MP3 with
// or without tag, Ogg, FLAC, WMA/ASF, MP4/M4A, MIDI, AU). Decides between "not an audio file"
// and "a format the system cannot play" when the decoder refuses a file.
bool looksLikeAudio(const unsigned char* head, std::size_t size);

// A path the file functions take beyond 260 characters: "\\?\" before a long absolute
// path ("\\?\UNC\" for a network path); shorter and relative paths stay as they are.
std::wstring extendedLengthPath(const std::wstring& path);

}  // namespace kv
