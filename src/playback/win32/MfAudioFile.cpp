#include "playback/win32/MfAudioFile.h"

#include <windows.h>
#include <mfapi.h>
#include <mferror.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <cstring>

#include "app/win32/UniqueHandle.h"
#include "playback/PrimingAudio.h"

// In mfplat since Windows 7; MinGW-w64's mfidl.h does not declare it (the same declaration
// as the Windows SDK's).
extern "C" HRESULT WINAPI MFCreateMFByteStreamOnStream(IStream* stream, IMFByteStream** byteStream);

namespace kv {

namespace {

constexpr DWORD kAudioStream = static_cast<DWORD>(MF_SOURCE_READER_FIRST_AUDIO_STREAM);

PlaybackError fromWin32(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: return PlaybackError::FileNotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return PlaybackError::FileInUse;
    case ERROR_ACCESS_DENIED: return PlaybackError::AccessDenied;
    default: return PlaybackError::ReadFailed;
    }
}

// Opens the file as the decoder will (reading, others may read and write it) and reads its
// first bytes: a file that cannot be opened is reported for what keeps it closed, before
// the decoder would say only that it failed.
PlaybackError probe(const std::wstring& path, unsigned char* head, std::size_t& size) {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return fromWin32(GetLastError());
    DWORD read = 0;
    if (!ReadFile(file.get(), head, static_cast<DWORD>(size), &read, nullptr)) return fromWin32(GetLastError());
    size = read;
    return PlaybackError::None;
}

PlaybackError fromOpenResult(HRESULT result) {
    if (result == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) || result == HRESULT_FROM_WIN32(ERROR_LOCK_VIOLATION))
        return PlaybackError::FileInUse;
    if (result == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) || result == E_ACCESSDENIED) return PlaybackError::AccessDenied;
    if (result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || result == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND))
        return PlaybackError::FileNotFound;
    return PlaybackError::None;  // not a matter of the file's access
}

ComPtr<IMFByteStream> openByteStream(const std::wstring& path, const std::wstring& originalPath, HRESULT& result) {
    ComPtr<IMFByteStream> stream;
    result = MFCreateFile(MF_ACCESSMODE_READ, MF_OPENMODE_FAIL_IF_NOT_EXIST, MF_FILEFLAGS_ALLOW_WRITE_SHARING,
                          path.c_str(), stream.put());
    if (FAILED(result)) return {};
    // The source resolver picks the decoder by the file name's extension.
    ComPtr<IMFAttributes> attributes;
    if (SUCCEEDED(stream->QueryInterface(IID_IMFAttributes, attributes.putVoid())))
        attributes->SetString(MF_BYTESTREAM_ORIGIN_NAME, originalPath.c_str());
    return stream;
}

// Float output at the stream's own rate and channel count.
HRESULT selectFloatOutput(IMFSourceReader& reader) {
    reader.SetStreamSelection(static_cast<DWORD>(MF_SOURCE_READER_ALL_STREAMS), FALSE);
    HRESULT result = reader.SetStreamSelection(kAudioStream, TRUE);
    if (FAILED(result)) return result;
    ComPtr<IMFMediaType> type;
    result = MFCreateMediaType(type.put());
    if (FAILED(result)) return result;
    type->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Audio);
    type->SetGUID(MF_MT_SUBTYPE, MFAudioFormat_Float);
    return reader.SetCurrentMediaType(kAudioStream, nullptr, type.get());
}

}  // namespace

MediaFoundationScope::MediaFoundationScope() : started_(SUCCEEDED(MFStartup(MF_VERSION, MFSTARTUP_NOSOCKET))) {}

MediaFoundationScope::~MediaFoundationScope() {
    if (started_) MFShutdown();
}

MfAudioFile::~MfAudioFile() {
    if (!reader_) return;
    ComPtr<IMFMediaSource> source;
    if (SUCCEEDED(reader_->GetServiceForStream(static_cast<DWORD>(MF_SOURCE_READER_MEDIASOURCE), GUID_NULL,
                                               IID_IMFMediaSource, source.putVoid())))
        source->Shutdown();
}

PlaybackError MfAudioFile::open(const std::wstring& path) {
    const std::wstring longPath = extendedLengthPath(path);
    unsigned char head[64] = {};
    std::size_t headSize = sizeof head;
    if (const PlaybackError access = probe(longPath, head, headSize); access != PlaybackError::None) return access;
    const PlaybackError undecodable =
        looksLikeAudio(head, headSize) ? PlaybackError::UnsupportedFormat : PlaybackError::NotAudio;

    HRESULT result = S_OK;
    const ComPtr<IMFByteStream> stream = openByteStream(longPath, path, result);
    if (!stream) {
        const PlaybackError access = fromOpenResult(result);
        return access != PlaybackError::None ? access : PlaybackError::ReadFailed;
    }
    return openStream(*stream.get(), undecodable);
}

PlaybackError MfAudioFile::openMemory(const std::string& bytes, const std::wstring& name) {
    ComPtr<IStream> memory;
    ComPtr<IMFByteStream> stream;
    ULONG written = 0;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.put())) ||
        FAILED(memory->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
        FAILED(memory->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr)) ||
        FAILED(MFCreateMFByteStreamOnStream(memory.get(), stream.put())))
        return PlaybackError::ReadFailed;
    ComPtr<IMFAttributes> attributes;
    if (SUCCEEDED(stream->QueryInterface(IID_IMFAttributes, attributes.putVoid())))
        attributes->SetString(MF_BYTESTREAM_ORIGIN_NAME, name.c_str());
    return openStream(*stream.get(), PlaybackError::UnsupportedFormat);
}

PlaybackError MfAudioFile::openStream(IMFByteStream& stream, PlaybackError undecodable) {
    HRESULT result = MFCreateSourceReaderFromByteStream(&stream, nullptr, reader_.put());
    if (FAILED(result)) return undecodable;
    if (FAILED(selectFloatOutput(*reader_.get()))) {
        reader_.reset();
        return undecodable;
    }

    ComPtr<IMFMediaType> actual;
    UINT32 rate = 0, channels = 0, bits = 0;
    if (FAILED(reader_->GetCurrentMediaType(kAudioStream, actual.put())) ||
        FAILED(actual->GetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, &rate)) ||
        FAILED(actual->GetUINT32(MF_MT_AUDIO_NUM_CHANNELS, &channels)) || rate == 0 || channels == 0 ||
        (SUCCEEDED(actual->GetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, &bits)) && bits != 32)) {
        reader_.reset();
        return PlaybackError::UnsupportedFormat;
    }
    format_ = {static_cast<int>(rate), static_cast<int>(channels)};

    PROPVARIANT duration;
    PropVariantInit(&duration);
    if (SUCCEEDED(reader_->GetPresentationAttribute(static_cast<DWORD>(MF_SOURCE_READER_MEDIASOURCE), MF_PD_DURATION,
                                                    &duration)) &&
        duration.vt == VT_UI8)
        durationMs_ = static_cast<std::int64_t>(duration.uhVal.QuadPart / 10000);
    PropVariantClear(&duration);
    return PlaybackError::None;
}

void primeDecoders() {
    std::vector<float> scratch;
    MfAudioFile wav;
    if (wav.openMemory(silentWav(50), L"kavinta-priming.wav") == PlaybackError::None) wav.read(scratch);
    MfAudioFile mp3;
    if (mp3.openMemory(silentMp3(12), L"kavinta-priming.mp3") == PlaybackError::None) mp3.read(scratch);
}

bool MfAudioFile::read(std::vector<float>& out) {
    while (reader_ && !ended_ && !failed_) {
        DWORD flags = 0;
        LONGLONG time = 0;
        ComPtr<IMFSample> sample;
        if (FAILED(reader_->ReadSample(kAudioStream, 0, nullptr, &flags, &time, sample.put())) ||
            (flags & MF_SOURCE_READERF_ERROR)) {
            failed_ = true;
            break;
        }
        if (flags & MF_SOURCE_READERF_ENDOFSTREAM) ended_ = true;
        if (!sample) continue;  // a gap or a format note: nothing to play yet
        ComPtr<IMFMediaBuffer> buffer;
        if (FAILED(sample->ConvertToContiguousBuffer(buffer.put()))) {
            failed_ = true;
            break;
        }
        BYTE* data = nullptr;
        DWORD bytes = 0;
        if (FAILED(buffer->Lock(&data, nullptr, &bytes))) {
            failed_ = true;
            break;
        }
        const std::size_t values = bytes / sizeof(float);
        const std::size_t at = out.size();
        out.resize(at + values - values % static_cast<std::size_t>(format_.channels));
        std::memcpy(out.data() + at, data, (out.size() - at) * sizeof(float));
        buffer->Unlock();
        return true;
    }
    return false;
}

}  // namespace kv
