#pragma once
// A slot's loudness measurement as KV.ini keeps it beside the slot's file: the reading and
// the stamp of the file it was taken from, so that a file changed since is measured again.
// Also the hand-over of measurements from the engine's worker thread to the window's.
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "library/IniDocument.h"
#include "library/IniFile.h"
#include "playback/JingleEngine.h"

namespace kv {

struct SlotLoudness {
    std::wstring file;  // the slot's file it belongs to (not stored: the slot's own key says it)
    FileStamp stamp;
    LoudnessReading reading;
};

// The keys of slot n (1 ... 12): Lautheit<n> (LUFS), Spitze<n> (linear peak), Dateistand<n>.
IniEntries slotLoudnessEntries(int slot, const SlotLoudness& loudness);
// What the section keeps for slot n, for the slot's `file`; nothing when a key is missing
// or unreadable.
std::optional<SlotLoudness> readSlotLoudness(const IniSection& section, int slot, const std::wstring& file);

// Measurements on their way to the window's thread. The worker puts, the window takes once
// woken; after close() nothing put reaches anyone (the window is gone).
class LoudnessInbox {
public:
    struct Result {
        std::wstring file;
        std::optional<FileStamp> stamp;  // the file's when it was asked for
        std::optional<LoudnessReading> reading;
    };

    // The wake any thread may call (it only posts); set on the window's thread.
    void setWake(std::function<void()> wake);
    void put(Result result);
    std::vector<Result> take();
    void close();

private:
    std::mutex mutex_;
    std::vector<Result> results_;
    std::function<void()> wake_;
    bool closed_ = false;
};

// The window's share of an inbox, closed when the window goes.
class LoudnessInboxOwner {
public:
    LoudnessInboxOwner() : inbox_(std::make_shared<LoudnessInbox>()) {}
    ~LoudnessInboxOwner() { inbox_->close(); }
    LoudnessInboxOwner(const LoudnessInboxOwner&) = delete;
    LoudnessInboxOwner& operator=(const LoudnessInboxOwner&) = delete;
    const std::shared_ptr<LoudnessInbox>& get() const { return inbox_; }
    LoudnessInbox* operator->() const { return inbox_.get(); }

private:
    std::shared_ptr<LoudnessInbox> inbox_;
};

}  // namespace kv
