#pragma once
// The media player the window uses: the program's own engine first, and the MCI player for
// the files the engine cannot decode (MIDI, or a format only an MCI driver knows). Each
// operation goes to the player that holds the open file; an error comes from the player
// that ran the last command.
#include <functional>

#include "playback/MediaPlayer.h"

namespace kv {

class FallbackMediaPlayer final : public IMediaPlayer {
public:
    // mayFallBack: whether an open error of the primary player lets the fallback try.
    FallbackMediaPlayer(IMediaPlayer& primary, IMediaPlayer& fallback, std::function<bool(int)> mayFallBack);

    void close() override;
    bool open(const std::wstring& fileName) override;
    bool play() override;
    MediaMode mode() const override { return active_->mode(); }
    std::int32_t position() const override { return active_->position(); }
    std::int32_t length() const override { return active_->length(); }
    int error() const override { return active_->error(); }
    std::wstring errorMessage() const override { return active_->errorMessage(); }

    // True while the file that is open (or failed last) belongs to the fallback player.
    bool usingFallback() const { return active_ == &fallback_; }

private:
    IMediaPlayer& primary_;
    IMediaPlayer& fallback_;
    std::function<bool(int)> mayFallBack_;
    IMediaPlayer* active_;
};

}  // namespace kv
