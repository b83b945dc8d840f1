// Firing a slot: the playing marker, starting or stopping the media player, the status
// line for a missing file or a device error, and the log line of every press.
#include "app/strutil.h"
#include "ui/MainUnit.h"

namespace kv::ui {

void TKavintamainform::SCExecute(int n) {
    if (n >= 1 && n <= kSlotCount) slot(n).click();
}

void TKavintamainform::JingleButtonClick(Button& sender) {
    for (int n = 1; n <= kSlotCount; ++n)
        if (&slot(n) == &sender) lastPressedSlot_ = n;
    const std::wstring datei = trimmed(sender.hint());
    if (auto_fo_vor.checked()) {
        // The fade before the jingle holds the window: the marker shows through it.
        markPlaying(sender);
        playjingle(datei);
    } else {
        // The marker and the status line are painted once the jingle has started, so that
        // the sound does not wait for the repaint of the button.
        const FormUpdate paintedAfterStart(host());
        markPlaying(sender);
        playjingle(datei);
    }
    dolog(datei);
}

void TKavintamainform::markPlaying(Button& slotButton) {
    slotButton.setBold(true);
    slotButton.setMarker(L">>");
}

void TKavintamainform::setStatusError(const std::wstring& message) {
    StatusBarMain.setPanelText(message);
    StatusBarMain.setHint(message);
    StatusBarMain.setShowHint(true);
}

void TKavintamainform::playjingle(const std::wstring& datei) {
    StatusBarMain.setPanelText(L"");
    StatusBarMain.setHint(L"");
    StatusBarMain.setShowHint(false);

    if (s_.player.mode() == MediaMode::Playing) {
        // A press while a jingle plays only stops it; the monitor's next tick finishes up.
        stopPlayingJingle();
        return;
    }
    if (!categoryExists()) {
        warn(MessageType::Information, text(TextId::ErstKategorieAnlegen));
        return;
    }
    if (startJingle(datei)) {
        jinglePlayed_ = true;
        fadeInAtEnd_ = auto_fi.checked();
    }
    // Also after a failed start: the end-of-jingle action brings back what an earlier
    // jingle turned down.
    playerstatustimer.setEnabled(true);
}

// The engine prepares the assigned slots' files, so that their presses start from memory.
void TKavintamainform::preloadSlots() {
    std::vector<std::wstring> files;
    for (int n = 1; n <= kSlotCount; ++n)
        if (std::wstring file = trimmed(slot(n).hint()); !file.empty()) files.push_back(std::move(file));
    s_.engine.preload(files);
}

// The file is opened before the music is turned down: a jingle that cannot play does not
// dip the music.
bool TKavintamainform::startJingle(const std::wstring& datei) {
    if (datei.empty() || !s_.files.fileExists(datei)) {
        setStatusError(text(TextId::DateiNichtGefunden));
        return false;
    }
    s_.player.close();
    if (!s_.player.open(datei)) {
        if (s_.player.error() > 0)
            setStatusError(formatText(formatNumber(text(TextId::FehlerNummer), s_.player.error()),
                                      s_.player.errorMessage()));
        return false;
    }
    if (s_.engine.lastOpenUsedDefaultInstead()) setStatusError(text(TextId::GeraetFehltStandard));
    applyLoudness(datei);
    if (auto_fo_vor.checked()) {
        fadeoutDispatch(true);
        host().discardPendingInput();  // presses while the fade held the window
    }
    s_.player.play();
    if (auto_fo_mit.checked()) fadeoutDispatch(false);
    return true;
}

}  // namespace kv::ui
