#pragma once
// One audio file decoded by Media Foundation's source reader to 32-bit float frames, at the
// file's own sample rate and channel count. Used on one thread, which has COM and Media
// Foundation started (MediaFoundationScope).
#include <windows.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/win32/ComPtr.h"
#include "playback/PlaybackErrors.h"
#include "playback/SampleConverter.h"

namespace kv {

// Media Foundation started for the life of the object (MFStartup / MFShutdown).
class MediaFoundationScope {
public:
    MediaFoundationScope();
    ~MediaFoundationScope();
    MediaFoundationScope(const MediaFoundationScope&) = delete;
    MediaFoundationScope& operator=(const MediaFoundationScope&) = delete;
    bool started() const { return started_; }

private:
    bool started_;
};

class MfAudioFile {
public:
    MfAudioFile() = default;
    // Shuts the media source down with the reader, so that no decoding thread outlives it.
    ~MfAudioFile();
    MfAudioFile(const MfAudioFile&) = delete;
    MfAudioFile& operator=(const MfAudioFile&) = delete;

    // Opens the file (any length of path) and sets up its first audio stream for float
    // output. None on success, else what is wrong with the file.
    PlaybackError open(const std::wstring& path);

    // Opens audio held in memory; `name` (with its extension) picks the decoder.
    PlaybackError openMemory(const std::string& bytes, const std::wstring& name);

    AudioFormat format() const { return format_; }
    // The length the file declares, in milliseconds (0 when it declares none).
    std::int64_t durationMs() const { return durationMs_; }

    // Appends the frames of the next decoded piece to `out` (interleaved). False once the
    // stream has ended or a read failed; then nothing more comes.
    bool read(std::vector<float>& out);
    bool failed() const { return failed_; }

private:
    PlaybackError openStream(IMFByteStream& stream, PlaybackError undecodable);

    ComPtr<IMFSourceReader> reader_;
    AudioFormat format_;
    std::int64_t durationMs_ = 0;
    bool ended_ = false;
    bool failed_ = false;
};

// Decodes a moment of silent WAV and MP3 from memory, so that the decoders the first jingle
// needs are loaded beforehand.
void primeDecoders();

}  // namespace kv
