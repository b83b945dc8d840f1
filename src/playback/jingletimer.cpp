// The random jingle: a countdown of the category's interval, then a click on a random slot.
#include <algorithm>
#include <cmath>

#include "ui/MainUnit.h"

namespace kv::ui {

void TKavintamainform::jingletimersetup() {
    jingletimer.setEnabled(false);
    l_jingletimer.setText(L"");
    if (!jingletimereinaus.checked()) return;
    lastFireTime_ = toDayCount(s_.clock.now());
    jingletimer.setInterval(1000);
    jingletimer.setEnabled(true);
    s_.random.seed();
}

void TKavintamainform::jingletimerTimer() {
    const double now = toDayCount(s_.clock.now());
    const double due = lastFireTime_ + jingletimerval.value() / 1440.0;
    const long long r = -static_cast<long long>(std::nearbyint((now - due) * 86400.0));
    if (r > 60) l_jingletimer.setText(formatNumber(text(TextId::TimerMinuten), r / 60 + 1));
    else l_jingletimer.setText(formatNumber(text(TextId::TimerSekunden), std::max(r, 0LL)));
    if (!(now > due)) return;
    // A click would stop the jingle that plays (a music bed may outlast the interval): the
    // firing waits, and the reload at that jingle's end starts a new countdown.
    if (s_.player.mode() == MediaMode::Playing) return;

    lastFireTime_ = toDayCount(s_.clock.now());
    int g = s_.random.draw(kSlotCount);
    while (g == lastRandomSlot_) g = s_.random.draw(kSlotCount);
    lastRandomSlot_ = g;
    l_jingletimer.setText(formatNumber(text(TextId::TimerJingle), g));
    slot(g).click();
}

void TKavintamainform::jingletimereinausClick() {
    konfigspeichern();
    jingletimersetup();
}

void TKavintamainform::jingletimervalChange() {
    konfigspeichern();
    jingletimersetup();
}

}  // namespace kv::ui
