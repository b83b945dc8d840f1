#include "playback/win32/MciMediaPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include <utility>

#include "app/win32/LazyLibrary.h"

namespace kv {

namespace {

// The MCI functions, from winmm.dll loaded when a player first needs them rather than at
// process start (most starts never play a jingle before the window is up).
struct MciFunctions {
    decltype(&mciSendCommandW) sendCommand = nullptr;
    decltype(&mciGetErrorStringW) getErrorString = nullptr;
};

const MciFunctions& mci() {
    static const LazyLibrary winmm(L"winmm.dll");
    static const MciFunctions functions{winmm.function<decltype(&mciSendCommandW)>("mciSendCommandW"),
                                        winmm.function<decltype(&mciGetErrorStringW)>("mciGetErrorStringW")};
    return functions;
}

MCIERROR sendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* parms) {
    const auto send = mci().sendCommand;
    if (!send) return MCIERR_CANNOT_LOAD_DRIVER;
    return send(device, message, flags, reinterpret_cast<DWORD_PTR>(parms));
}

}  // namespace

MediaMode mediaModeFromMci(unsigned long mciMode) {
    // The MCI mode numbers run in the enumeration's order from MCI_MODE_NOT_READY.
    if (mciMode < MCI_MODE_NOT_READY || mciMode > MCI_MODE_OPEN) return MediaMode::NotReady;
    return static_cast<MediaMode>(mciMode - MCI_MODE_NOT_READY);
}

MciMediaPlayer::~MciMediaPlayer() { close(); }

MciMediaPlayer::MciMediaPlayer(MciMediaPlayer&& other) noexcept
    : texts_(other.texts_),
      deviceId_(std::exchange(other.deviceId_, 0u)),
      lastError_(other.lastError_) {}

MciMediaPlayer& MciMediaPlayer::operator=(MciMediaPlayer&& other) noexcept {
    if (this != &other) {
        close();
        texts_ = other.texts_;
        deviceId_ = std::exchange(other.deviceId_, 0u);
        lastError_ = other.lastError_;
    }
    return *this;
}

void MciMediaPlayer::close() {
    if (deviceId_ == 0) return;
    MCI_GENERIC_PARMS parms{};
    lastError_ = sendCommand(deviceId_, MCI_CLOSE, MCI_WAIT, &parms);
    deviceId_ = 0;  // a device that failed to close is given up all the same
}

bool MciMediaPlayer::open(const std::wstring& fileName) {
    close();
    MCI_OPEN_PARMSW parms{};
    parms.lpstrElementName = fileName.c_str();
    lastError_ = sendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &parms);
    if (lastError_ != 0) return false;
    deviceId_ = parms.wDeviceID;
    return true;
}

bool MciMediaPlayer::play() {
    MCI_PLAY_PARMS parms{};
    lastError_ = sendCommand(deviceId_, MCI_PLAY, 0, &parms);
    return lastError_ == 0;
}

unsigned long MciMediaPlayer::status(unsigned long item) const {
    if (deviceId_ == 0) return 0;
    MCI_STATUS_PARMS parms{};
    parms.dwItem = item;
    const MCIERROR error = sendCommand(deviceId_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &parms);
    return error == 0 ? static_cast<unsigned long>(parms.dwReturn) : 0;
}

MediaMode MciMediaPlayer::mode() const {
    if (deviceId_ == 0) return MediaMode::NotReady;
    return mediaModeFromMci(status(MCI_STATUS_MODE));
}

std::int32_t MciMediaPlayer::position() const {
    return static_cast<std::int32_t>(status(MCI_STATUS_POSITION));
}

std::int32_t MciMediaPlayer::length() const {
    return static_cast<std::int32_t>(status(MCI_STATUS_LENGTH));
}

std::wstring mciErrorText(unsigned long error, const kv::ITexts& texts) {
    wchar_t buffer[MAXERRORLENGTH] = {};
    const auto describe = mci().getErrorString;
    if (describe && describe(error, buffer, MAXERRORLENGTH) && buffer[0] != L'\0') return buffer;
    return texts.text(kv::TextId::UnbekannterFehlerCode);
}

std::wstring MciMediaPlayer::errorMessage() const { return mciErrorText(lastError_, *texts_); }

}  // namespace kv
