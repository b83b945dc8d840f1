#pragma once
// Which files a slot can take: the audio formats the media player (MCI) opens by the
// file's extension.
#include <string>

namespace kv {

class IMciExtensions {
public:
    virtual ~IMciExtensions() = default;
    // True when the system names an MCI device for files with this extension (without the
    // dot, any case), as it does for the formats an installed codec brings.
    virtual bool registered(const std::wstring& extension) const = 0;
};

// A system that names no device for any extension: only the formats every Windows plays.
const IMciExtensions& noMciExtensions();

// The formats every Windows plays through MCI (wave, MP3, WMA, AIFF, MIDI), and those
// the system names a device for.
bool isPlayableFile(const std::wstring& path, const IMciExtensions& system);

}  // namespace kv
