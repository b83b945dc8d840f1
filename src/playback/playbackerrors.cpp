#include "playback/PlaybackErrors.h"

#include <cstring>

namespace kv {

std::wstring playbackErrorText(int error, const ITexts& texts) {
    switch (static_cast<PlaybackError>(error)) {
    case PlaybackError::FileNotFound: return texts.text(TextId::WiedergabeDateiFehlt);
    case PlaybackError::FileInUse: return texts.text(TextId::WiedergabeDateiBelegt);
    case PlaybackError::AccessDenied: return texts.text(TextId::WiedergabeKeinZugriff);
    case PlaybackError::NotAudio: return texts.text(TextId::WiedergabeKeineAudiodatei);
    case PlaybackError::UnsupportedFormat: return texts.text(TextId::WiedergabeFormatUnbekannt);
    case PlaybackError::ReadFailed: return texts.text(TextId::WiedergabeLesefehler);
    case PlaybackError::NoOutputDevice: return texts.text(TextId::WiedergabeKeinGeraet);
    case PlaybackError::OutputFailed: return texts.text(TextId::WiedergabeGeraetFehler);
    case PlaybackError::NothingOpen: return texts.text(TextId::WiedergabeNichtsOffen);
    case PlaybackError::None: break;
    }
    return texts.text(TextId::UnbekannterFehlerCode);
}

bool mciMayPlayInstead(int engineError) {
    switch (static_cast<PlaybackError>(engineError)) {
    case PlaybackError::NotAudio:
    case PlaybackError::UnsupportedFormat:
    case PlaybackError::ReadFailed:
    case PlaybackError::NoOutputDevice:
    case PlaybackError::OutputFailed: return true;
    default: return false;
    }
}

namespace {

bool startsWith(const unsigned char* head, std::size_t size, const char* magic, std::size_t at = 0) {
    const std::size_t length = std::strlen(magic);
    return size >= at + length && std::memcmp(head + at, magic, length) == 0;
}

// An MPEG audio frame header: eleven set sync bits, a valid version, layer, bit rate and
// sample rate.
bool mpegFrameHeader(const unsigned char* h, std::size_t size) {
    if (size < 4 || h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return false;
    const int version = (h[1] >> 3) & 3, layer = (h[1] >> 1) & 3;
    const int bitrate = h[2] >> 4, rate = (h[2] >> 2) & 3;
    return version != 1 && layer != 0 && bitrate != 15 && rate != 3;
}

}  // namespace

bool looksLikeAudio(const unsigned char* head, std::size_t size) {
    static const unsigned char kAsf[] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11};
    if (startsWith(head, size, "RIFF") && (startsWith(head, size, "WAVE", 8) || startsWith(head, size, "RMID", 8)))
        return true;
    if (startsWith(head, size, "RF64") || startsWith(head, size, "MThd") || startsWith(head, size, "OggS") ||
        startsWith(head, size, "fLaC") || startsWith(head, size, "ID3") || startsWith(head, size, ".snd"))
        return true;
    if (startsWith(head, size, "FORM") && (startsWith(head, size, "AIFF", 8) || startsWith(head, size, "AIFC", 8)))
        return true;
    if (startsWith(head, size, "ftyp", 4)) return true;
    if (size >= sizeof kAsf && std::memcmp(head, kAsf, sizeof kAsf) == 0) return true;
    return mpegFrameHeader(head, size);
}

std::wstring extendedLengthPath(const std::wstring& path) {
    constexpr std::size_t kShortLimit = 259;  // MAX_PATH less the terminating zero
    if (path.size() <= kShortLimit || path.rfind(LR"(\\?\)", 0) == 0) return path;
    if (path.rfind(LR"(\\)", 0) == 0) return LR"(\\?\UNC\)" + path.substr(2);
    const bool absolute = path.size() > 2 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    if (!absolute) return path;
    std::wstring result = LR"(\\?\)" + path;
    for (wchar_t& c : result)
        if (c == L'/') c = L'\\';  // the prefix turns off the conversion of forward slashes
    return result;
}

}  // namespace kv
