#pragma once
// The media player over the MCI command interface: one device at a time, opened by file
// name with the device type MCI picks from the file. Move-only: it owns the open device.
#include "playback/MediaPlayer.h"
#include "app/Texts.h"

namespace kv {

class MciMediaPlayer final : public IMediaPlayer {
public:
    explicit MciMediaPlayer(const kv::ITexts& texts) : texts_(&texts) {}
    ~MciMediaPlayer() override;
    MciMediaPlayer(const MciMediaPlayer&) = delete;
    MciMediaPlayer& operator=(const MciMediaPlayer&) = delete;
    MciMediaPlayer(MciMediaPlayer&& other) noexcept;
    MciMediaPlayer& operator=(MciMediaPlayer&& other) noexcept;

    void close() override;
    bool open(const std::wstring& fileName) override;
    bool play() override;
    MediaMode mode() const override;
    std::int32_t position() const override;
    std::int32_t length() const override;
    // The error of the last open, play or close; status queries leave it alone.
    int error() const override { return static_cast<int>(lastError_); }
    std::wstring errorMessage() const override;

    bool isOpen() const { return deviceId_ != 0; }

private:
    unsigned long status(unsigned long item) const;  // 0 when no device is open or on error

    const kv::ITexts* texts_;
    unsigned int deviceId_ = 0;
    unsigned long lastError_ = 0;
};

// The system's text for an MCI error number, or the text "Unbekannter Fehler-Code" from texts
// when the system has none.
std::wstring mciErrorText(unsigned long error, const kv::ITexts& texts);

// The mode for an MCI mode number; not ready for numbers outside the known range.
MediaMode mediaModeFromMci(unsigned long mciMode);

}  // namespace kv
