#include "playback/win32/PreloadCache.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <utility>

#include "app/win32/ComApartment.h"
#include "app/win32/Win32FileSystem.h"
#include "playback/PlaybackErrors.h"
#include "playback/win32/MfAudioFile.h"

namespace kv {

namespace {

// Room for the frames a file declares, so that the decoding does not grow the memory
// beyond what it keeps.
std::size_t expectedFrames(std::size_t keep, AudioFormat output, std::int64_t durationMs) {
    if (durationMs <= 0) return keep;
    const auto declared = static_cast<std::uint64_t>(durationMs) * static_cast<std::uint64_t>(output.sampleRate) / 1000;
    return std::min<std::uint64_t>(keep, declared + static_cast<std::uint64_t>(output.sampleRate) / 10);
}

}  // namespace

std::optional<FileStamp> fileStamp(const std::wstring& path) { return Win32FileSystem().fileStamp(path); }

std::shared_ptr<PreparedAudio> prepareAudio(const std::wstring& file, AudioFormat output, const PreloadLimits& limits,
                                            std::size_t shareBytes, const std::function<bool()>& keepGoing) {
    MfAudioFile source;
    if (source.open(file) != PlaybackError::None) return nullptr;
    const std::size_t keep = framesToKeep(shareBytes, limits.headSeconds, output, source.durationMs());
    if (keep == 0) return nullptr;
    const auto channels = static_cast<std::size_t>(output.channels);

    auto prepared = std::make_shared<PreparedAudio>();
    prepared->file = file;
    prepared->format = output;
    prepared->durationMs = source.durationMs();
    prepared->frames.reserve(expectedFrames(keep, output, source.durationMs()) * channels);
    SampleConverter converter(source.format(), output);
    std::vector<float> decoded;
    while (prepared->frames.size() < keep * channels) {
        if (!keepGoing()) return nullptr;
        decoded.clear();
        if (!source.read(decoded)) {
            if (source.failed()) return nullptr;
            prepared->whole = true;
            break;
        }
        converter.convert(decoded.data(), decoded.size() / static_cast<std::size_t>(source.format().channels),
                          prepared->frames);
    }
    if (prepared->frames.size() > keep * channels) prepared->frames.resize(keep * channels);
    prepared->frames.shrink_to_fit();
    return prepared;
}

PreloadCache::PreloadCache(PreloadLimits limits) : plan_(limits) {
    worker_ = std::thread([this] { workerMain(); });
}

PreloadCache::~PreloadCache() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void PreloadCache::drop(const std::vector<std::wstring>& files) {
    for (const std::wstring& file : files) memory_.erase(file);
}

void PreloadCache::setFiles(const std::vector<std::wstring>& files) {
    {
        const std::lock_guard lock(mutex_);
        drop(plan_.setFiles(files));
    }
    wake_.notify_all();
}

void PreloadCache::setOutputFormat(AudioFormat format) {
    {
        const std::lock_guard lock(mutex_);
        if (format_ == format) return;
        format_ = format;
        drop(plan_.restart());
    }
    wake_.notify_all();
}

std::shared_ptr<const PreparedAudio> PreloadCache::take(const std::wstring& file, AudioFormat output) {
    const std::optional<FileStamp> onDisk = fileStamp(file);
    const std::lock_guard lock(mutex_);
    if (!plan_.usable(file, onDisk)) {
        memory_.erase(file);
        wake_.notify_all();  // a changed file is prepared again
        return nullptr;
    }
    const auto it = memory_.find(file);
    if (it == memory_.end() || it->second->format != output) return nullptr;
    return it->second;
}

bool PreloadCache::isPrepared(const std::wstring& file) {
    const std::lock_guard lock(mutex_);
    return memory_.count(file) > 0;
}

// Prepares one file after the other while the list has files to prepare and the output's
// format is known; below the priority of the window and the player, so that neither waits.
void PreloadCache::workerMain() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    const ComApartment apartment(COINIT_MULTITHREADED);
    std::optional<MediaFoundationScope> mediaFoundation;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || (format_ && plan_.next()); });
        if (quit_) return;
        const std::wstring file = *plan_.next();
        plan_.begin(file);
        const AudioFormat format = *format_;
        const std::size_t share = plan_.shareBytes();
        lock.unlock();

        if (!mediaFoundation) mediaFoundation.emplace();
        // The version before the decoding: a change during it shows at the press.
        const std::optional<FileStamp> version = fileStamp(file);
        auto keepGoing = [this, &file] {
            const std::lock_guard check(mutex_);
            return !quit_ && plan_.isPreparing(file);
        };
        std::shared_ptr<PreparedAudio> prepared;
        if (version && mediaFoundation->started())
            prepared = prepareAudio(file, format, plan_.limits(), share, keepGoing);

        lock.lock();
        if (!prepared) plan_.failed(file, version);
        else if (format_ == format && plan_.prepared(file, *version, prepared->frames.size() * sizeof(float)))
            memory_[file] = std::move(prepared);
    }
}

}  // namespace kv
