#include "playback/win32/StreamContinuation.h"

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace kv {

StreamContinuation::StreamContinuation(std::wstring file, std::size_t skipFrames, AudioFormat output) {
    thread_ = std::thread([this, file = std::move(file), skipFrames, output] { run(file, skipFrames, output); });
}

StreamContinuation::~StreamContinuation() {
    cancel_ = true;
    thread_.join();
}

std::optional<StreamContinuation::Rest> StreamContinuation::take() {
    if (!ready_) return std::nullopt;
    return std::exchange(rest_, std::nullopt);
}

void StreamContinuation::run(const std::wstring& file, std::size_t skipFrames, AudioFormat output) {
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
        auto source = std::make_unique<MfAudioFile>();
        if (source->open(file) == PlaybackError::None && output.channels > 0) {
            const auto channels = static_cast<std::size_t>(output.channels);
            Rest rest;
            rest.converter.emplace(source->format(), output);
            std::vector<float> decoded, converted;
            std::size_t skipped = 0;
            while (!cancel_) {
                decoded.clear();
                if (!source->read(decoded)) {
                    rest.ended = true;
                    break;
                }
                converted.clear();
                rest.converter->convert(decoded.data(),
                                        decoded.size() / static_cast<std::size_t>(source->format().channels), converted);
                const std::size_t frames = converted.size() / channels;
                if (skipped + frames <= skipFrames) {
                    skipped += frames;
                    continue;
                }
                const std::size_t from = (skipFrames - skipped) * channels;
                rest.frames.assign(converted.begin() + static_cast<std::ptrdiff_t>(from), converted.end());
                break;
            }
            if (!cancel_ && !source->failed()) {
                rest.file = std::move(source);
                rest_ = std::move(rest);
            }
        }
    }
    ready_ = true;
    if (com) CoUninitialize();
}

}  // namespace kv
