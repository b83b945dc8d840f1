// The level of a jingle: its loudness measured once per file version and kept with the
// slot, the gain that brings it to the target loudness set at the press, and the second
// press that fades it out instead of cutting it.
#include <algorithm>

#include "app/strutil.h"
#include "playback/Loudness.h"
#include "ui/MainUnit.h"

namespace kv::ui {

namespace {

constexpr int kSoftStopMs = 300;

}  // namespace

void TKavintamainform::m_gleichlautClick() {
    if (m_gleichlaut.checked()) measureShownCategory();
}

// A press while a jingle plays: the soft stop when it is on and the engine plays the
// jingle, else the player is closed; either way the monitor notices the end.
void TKavintamainform::stopPlayingJingle() {
    if (m_blendetaus.checked() && s_.engine.fadeOut(kSoftStopMs)) return;
    s_.player.close();
}

bool TKavintamainform::measurementCurrent(int n) const {
    const std::optional<SlotLoudness>& measured = loudness_.at(static_cast<size_t>(n - 1));
    const std::wstring file = trimmed(J.at(static_cast<size_t>(n - 1)).hint());
    if (!measured || file.empty() || measured->file != file) return false;
    const std::optional<FileStamp> now = s_.files.fileStamp(file);
    return now && *now == measured->stamp;
}

void TKavintamainform::measureShownCategory() {
    if (!m_gleichlaut.checked() || !categoryExists()) return;
    for (int n = 1; n <= kSlotCount; ++n)
        if (!measurementCurrent(n)) measureSlot(n);
}

// Asks the engine once for a file not yet out for measuring; the result comes back through
// the inbox, stamped with the file's version at the time of asking.
void TKavintamainform::measureSlot(int n) {
    const std::wstring file = trimmed(slot(n).hint());
    if (file.empty() || std::find(measuring_.begin(), measuring_.end(), file) != measuring_.end()) return;
    const std::optional<FileStamp> stamp = s_.files.fileStamp(file);
    if (!stamp) return;
    measuring_.push_back(file);
    inbox_->setWake(host().crossThreadWake());
    const std::weak_ptr<LoudnessInbox> inbox = inbox_.get();
    s_.engine.measureLoudness(file, [inbox, stamp](const std::wstring& measured, std::optional<LoudnessReading> reading) {
        if (const auto open = inbox.lock()) open->put({measured, stamp, reading});
    });
}

void TKavintamainform::loudnessMeasured() {
    bool changed = false;
    for (LoudnessInbox::Result& result : inbox_->take()) {
        measuring_.erase(std::remove(measuring_.begin(), measuring_.end(), result.file), measuring_.end());
        if (!result.reading || !result.stamp) continue;
        for (int n = 1; n <= kSlotCount; ++n) {
            if (trimmed(slot(n).hint()) != result.file) continue;
            loudness_.at(static_cast<size_t>(n - 1)) = SlotLoudness{result.file, *result.stamp, *result.reading};
            changed = true;
        }
    }
    if (changed) konfigspeichern();  // kept with the slots at once
}

// After the open, before the play: a current measurement gives the gain; a slot without
// one plays as it is and is measured for the next press.
void TKavintamainform::applyLoudness(const std::wstring& datei) {
    if (!m_gleichlaut.checked()) return;
    int n = lastPressedSlot_;
    if (n < 1 || trimmed(slot(n).hint()) != datei) {
        n = 0;
        for (int i = 1; i <= kSlotCount && n == 0; ++i)
            if (trimmed(slot(i).hint()) == datei) n = i;
    }
    if (n == 0) return;
    if (!measurementCurrent(n)) {
        measureSlot(n);
        return;
    }
    const LoudnessReading& reading = loudness_.at(static_cast<size_t>(n - 1))->reading;
    s_.engine.setGainDb(loudnessGainDb(reading.integratedLufs, reading.samplePeak));
}

void TKavintamainform::loadSlotLoudness(const IniSection& section) {
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::wstring file = trimmed(slot(n).hint());
        loudness_.at(static_cast<size_t>(n - 1)) =
            file.empty() ? std::nullopt : readSlotLoudness(section, n, file);
    }
}

}  // namespace kv::ui
