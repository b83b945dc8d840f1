#include "playback/FallbackMediaPlayer.h"

#include <utility>

namespace kv {

FallbackMediaPlayer::FallbackMediaPlayer(IMediaPlayer& primary, IMediaPlayer& fallback,
                                         std::function<bool(int)> mayFallBack)
    : primary_(primary), fallback_(fallback), mayFallBack_(std::move(mayFallBack)), active_(&primary) {}

void FallbackMediaPlayer::close() { active_->close(); }

bool FallbackMediaPlayer::open(const std::wstring& fileName) {
    active_->close();
    active_ = &primary_;
    if (primary_.open(fileName)) return true;
    if (!mayFallBack_ || !mayFallBack_(primary_.error())) return false;
    if (fallback_.open(fileName)) {
        active_ = &fallback_;
        return true;
    }
    // Neither plays it: the primary's error says better what is wrong with the file.
    fallback_.close();
    return false;
}

bool FallbackMediaPlayer::play() { return active_->play(); }

}  // namespace kv
