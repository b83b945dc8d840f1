// The playback monitor: position and length while a jingle plays, then, once, the
// end-of-jingle action and the reload of the category that clears the playing marker.
#include "playback/jingletime.h"
#include "ui/MainUnit.h"

namespace kv::ui {

void TKavintamainform::playerstatustimerTimer() {
    playerstatustimer.setEnabled(false);
    const int leadTime = jingleendezeit.value();
    const bool inEndWindow = s_.player.mode() == MediaMode::Playing && leadTime > 0 &&
                             remainingMs(s_.player.length(), s_.player.position()) < leadTime;

    if (s_.player.mode() == MediaMode::Playing && !inEndWindow) {
        const std::int32_t position = s_.player.position();
        const std::int32_t length = s_.player.length();
        Jinglestatus.setText(formatText(formatText(text(TextId::Spielt), formatJingleTime(position)),
                                        formatJingleTime(length)));
        host().repaintNow();
        playerstatustimer.setEnabled(true);
        return;
    }
    Jinglestatus.setText(text(TextId::AktionWirdAusgefuehrt));
    host().repaintNow();
    endOfJingleDispatch();
    Jinglestatus.setText(text(TextId::CapJinglestatus));
    konfigladenjingles();
    host().repaintNow();
}

}  // namespace kv::ui
