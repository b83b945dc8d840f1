#include "remote/RemotePlayerControl_unit.h"

#include <algorithm>
#include <cstdlib>

#include "remote/WMSAPI_unit.h"

namespace kv::remote {

using mixer::RMixerAktion;

namespace {

class NoFadeController final : public IFadeController {
public:
    void zentrixfadeout(std::int32_t, bool) override {}
    void zentrixcrossfade() override {}
    void winampfadeout(std::int32_t, bool) override {}
    void mixerfadeout(const std::wstring&, const std::wstring&, std::int32_t, bool) override {}
    void fadeinDucked() override {}
    void restoreNow() override {}
    void attachDuckStore(IDuckStore*) override {}
    void restoreLeftOver() override {}
    void setNotRestoredHandler(std::function<void(const NotRestored&)>) override {}
    void mixergetlist(mixer::MixerList&) override {}
};

bool isFadeOut(RFadeAction aktion) {
    return aktion == RFadeAction::dofadeoutwinamp || aktion == RFadeAction::dofadeoutmixer;
}

bool isWinampFade(RFadeAction aktion) {
    return aktion == RFadeAction::dofadeoutwinamp || aktion == RFadeAction::dofadeinwinamp;
}

Duck playerOf(PlayerKind kind, WindowHandle window = 0, std::wstring guid = {}, std::wstring name = {}) {
    Duck duck;
    duck.kind = kind;
    duck.window = window;
    duck.guid = std::move(guid);
    duck.name = std::move(name);
    return duck;
}

}  // namespace

IFadeController& noFadeController() {
    static NoFadeController none;
    return none;
}

Trcform::Trcform(IWindowMessages& messages, ISleep& sleeper, const mixer::TMixer& mixer)
    : messages_(messages), sleeper_(sleeper), mixer_(mixer) {
    fadetimer.onTimer = [this] { fadetimerTimer(); };
}

// The timer's window may be gone by now: only the pacing held for a running timer ends.
Trcform::~Trcform() {
    if (fadetimer.enabled()) sleeper_.endPacing();
}

void Trcform::FormCreate() {
    ffadespeed = 50;
    ffadefaktor = 1;
    fzentrixhwnd = kNeverLookedUp;
    fwinamphwnd = kNeverLookedUp;
    fducks.clear();
    setFadeTimer(false);
}

// --- Ducks

std::vector<Duck> Trcform::ducks() const {
    std::vector<Duck> all;
    for (const DuckedPlayer& p : fducks) all.push_back(p.duck);
    return all;
}

Trcform::DuckedPlayer* Trcform::ducked(PlayerKind kind) {
    for (DuckedPlayer& p : fducks)
        if (p.duck.kind == kind) return &p;
    return nullptr;
}

const Trcform::DuckedPlayer* Trcform::ducked(PlayerKind kind) const { return const_cast<Trcform*>(this)->ducked(kind); }

Trcform::DuckedPlayer* Trcform::findDuck(const Duck& player) {
    for (DuckedPlayer& p : fducks)
        if (samePlayer(p.duck, player)) return &p;
    return nullptr;
}

// The duck of this player: the one in effect, whose level stays, or a new one at current.
Trcform::DuckedPlayer& Trcform::duckFor(const Duck& player, std::int32_t current) {
    if (DuckedPlayer* p = findDuck(player)) {
        if (p->duck.guid.empty()) p->duck.guid = player.guid;
        return *p;
    }
    DuckedPlayer& added = fducks.emplace_back();
    added.duck = player;
    added.duck.level = current;
    added.duck.left = current;
    return added;
}

void Trcform::endDuck(const DuckedPlayer& player) {
    fducks.remove_if([&](const DuckedPlayer& p) { return &p == &player; });
    saveDucks();
    if (!anyTimerFade()) setFadeTimer(false);
}

void Trcform::saveDucks() {
    if (store_) store_->save(ducks());
}

void Trcform::report(const DuckedPlayer& player, bool gone) {
    if (notRestored_) notRestored_(NotRestored{player.duck, gone});
}

// --- Companion application

bool Trcform::sendToCompanion(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam, int timeoutMs) {
    return messages_.send(fzentrixhwnd, message, wParam, lParam, timeoutMs).has_value();
}

void Trcform::zentrixfadeout(std::int32_t toproz, bool warten) {
    fzentrixhwnd = FindWMSAPIWindow(messages_);
    if (fzentrixhwnd == 0) return;
    if (warten)
        sendToCompanion(kWMSAPIFadeWait, kWMSAPIFadeOut, toproz, kCompanionFadeTimeoutMs);
    else
        sendToCompanion(kWMSAPIFadeNoWait, kWMSAPIFadeOut, toproz, kMessageTimeoutMs);
    // Also without an answer: the companion may have faded all the same.
    duckFor(playerOf(PlayerKind::companion), -1);
    saveDucks();
}

void Trcform::zentrixfadein() {
    DuckedPlayer* duck = findDuck(playerOf(PlayerKind::companion));
    fzentrixhwnd = FindWMSAPIWindow(messages_);
    if (fzentrixhwnd == 0) {
        if (duck) report(*duck, true);
        return;
    }
    const bool answered = sendToCompanion(kWMSAPIFadeNoWait, kWMSAPIFadeIn, 0, kMessageTimeoutMs);
    if (!duck) return;
    if (answered)
        endDuck(*duck);
    else
        report(*duck, false);
}

// The companion takes the music over with its cross-fade: its duck ends.
void Trcform::zentrixcrossfade() {
    fzentrixhwnd = FindWMSAPIWindow(messages_);
    if (fzentrixhwnd == 0) return;
    if (!sendToCompanion(kWMSAPIFadeWait, kWMSAPIFadeIn, 1, kMessageTimeoutMs)) return;
    messages_.post(fzentrixhwnd, kWMSAPIFadeWait, kWMSAPIAfterCross, 0);
    if (DuckedPlayer* duck = findDuck(playerOf(PlayerKind::companion))) endDuck(*duck);
}

// --- Winamp

std::int32_t Trcform::winampTarget(std::int32_t toproz) {
    const double target = mixer::roundHalfEven(toproz / 100.0 * 255);
    return static_cast<std::int32_t>(std::clamp(target, 0.0, 255.0));
}

// The ducked window while it is there, so that a second Winamp never takes its place;
// else the one the system finds.
WindowHandle Trcform::winampWindow() {
    if (const DuckedPlayer* duck = ducked(PlayerKind::winamp)) {
        if (messages_.isWindowOfClass(duck->duck.window, kWinampWindowClass)) return duck->duck.window;
        endDuck(*duck);  // that Winamp has gone: nothing is left to bring back
    }
    return messages_.findWindow(kWinampWindowClass);
}

// The volume, 0 to 255; nothing when Winamp gave no answer or no volume.
std::optional<std::int32_t> Trcform::queryWinamp(WindowHandle window, int timeoutMs) {
    const auto reply = messages_.send(window, kWmUser, kWinampQueryVolume, kWinampSetVolume, timeoutMs);
    if (!reply || *reply < 0 || *reply > 255) return std::nullopt;
    return static_cast<std::int32_t>(*reply);
}

bool Trcform::sendWinamp(const DuckedPlayer& player, std::int32_t volume, int timeoutMs) {
    return messages_.send(player.duck.window, kWmUser, volume & 0xFF, kWinampSetVolume, timeoutMs).has_value();
}

void Trcform::winampfadeout(std::int32_t toproz, bool warten) {
    const long long started = sleeper_.nowMs();
    fwinamphwnd = winampWindow();
    if (fwinamphwnd == 0) return;
    const auto current = queryWinamp(fwinamphwnd, warten ? kBlockingQueryTimeoutMs : kMessageTimeoutMs);
    if (!current) return;  // no answer is no level: this Winamp is not faded
    DuckedPlayer& player = duckFor(playerOf(PlayerKind::winamp, fwinamphwnd), *current);
    startFade(player, RFadeAction::dofadeoutwinamp, *current, std::min(winampTarget(toproz), *current), started,
              warten);
}

void Trcform::winampfadein() {
    DuckedPlayer* player = ducked(PlayerKind::winamp);
    if (!player) return;  // nothing turned down: the volume stays as it is
    fwinamphwnd = player->duck.window;
    const bool there = messages_.isWindowOfClass(fwinamphwnd, kWinampWindowClass);
    fadeBackIn(*player, RFadeAction::dofadeinwinamp, there ? queryWinamp(fwinamphwnd, kMessageTimeoutMs) : std::nullopt,
               !there);
}

// From current back to the player's level. Back already, or turned up by the operator
// meanwhile: the duck ends and nothing is lowered. No current level: the player is named.
void Trcform::fadeBackIn(DuckedPlayer& player, RFadeAction aktion, std::optional<std::int32_t> current, bool gone) {
    if (!current) {
        report(player, gone);
        return;
    }
    if (*current >= player.duck.level) {
        endDuck(player);
        return;
    }
    startFade(player, aktion, *current, player.duck.level, sleeper_.nowMs(), false);
}

// --- Mixer session

std::optional<std::int32_t> Trcform::readMixer(const std::wstring& GUID, const std::wstring& DisplayName) const {
    std::int32_t value = -1;
    if (!GUID.empty() && mixer_.Mixer(RMixerAktion::mixerGet, nullptr, GUID, value)) return value;
    if (!DisplayName.empty() && mixer_.Mixer(RMixerAktion::mixerGet, nullptr, DisplayName, value)) return value;
    return std::nullopt;
}

bool Trcform::setMixer(const Duck& duck, std::int32_t percent) const {
    std::int32_t value = percent;
    if (!duck.guid.empty() && mixer_.Mixer(RMixerAktion::mixerSet, nullptr, duck.guid, value)) return true;
    value = percent;
    return !duck.name.empty() && mixer_.Mixer(RMixerAktion::mixerSet, nullptr, duck.name, value);
}

void Trcform::mixerfadeout(const std::wstring& GUID, const std::wstring& DisplayName, std::int32_t toproz,
                           bool warten) {
    const long long started = sleeper_.nowMs();
    const auto current = readMixer(GUID, DisplayName);
    if (!current) return;  // no session: nothing to turn down
    DuckedPlayer& player = duckFor(playerOf(PlayerKind::mixer, 0, GUID, DisplayName), *current);
    const std::int32_t target = std::clamp(toproz, 0, std::max(*current, 0));
    startFade(player, RFadeAction::dofadeoutmixer, *current, target, started, warten);
}

void Trcform::mixerfadein(const std::wstring& GUID, const std::wstring& DisplayName) {
    DuckedPlayer* player = findDuck(playerOf(PlayerKind::mixer, 0, GUID, DisplayName));
    if (!player) return;
    fadeBackIn(*player, RFadeAction::dofadeinmixer, readMixer(player->duck.guid, player->duck.name), true);
}

void Trcform::mixergetlist(mixer::MixerList& mixerlist) {
    std::int32_t unused = 0;
    mixer_.Mixer(RMixerAktion::mixerListing, &mixerlist, L"", unused);
}

bool Trcform::mixertestguid(const std::wstring& GUID) {
    std::int32_t unused = 0;
    return mixer_.Mixer(RMixerAktion::mixerCheck, nullptr, GUID, unused);
}

// --- Bringing the music back

void Trcform::fadeinDucked() {
    for (const Duck& duck : ducks()) {
        switch (duck.kind) {
        case PlayerKind::companion: zentrixfadein(); break;
        case PlayerKind::winamp: winampfadein(); break;
        case PlayerKind::mixer: mixerfadein(duck.guid, duck.name); break;
        }
    }
}

bool Trcform::restoreAtOnce(const Duck& duck) {
    switch (duck.kind) {
    case PlayerKind::companion:
        fzentrixhwnd = FindWMSAPIWindow(messages_);
        return fzentrixhwnd != 0 && sendToCompanion(kWMSAPIFadeNoWait, kWMSAPIFadeIn, 0, kMessageTimeoutMs);
    case PlayerKind::winamp:
        return messages_.isWindowOfClass(duck.window, kWinampWindowClass) &&
               messages_.send(duck.window, kWmUser, duck.level & 0xFF, kWinampSetVolume, kMessageTimeoutMs);
    case PlayerKind::mixer: return setMixer(duck, duck.level);
    }
    return false;
}

// The window closes: every fade stops where it is, and each ducked player is set back to
// its level at once. One that cannot be reached stays recorded for the next start.
void Trcform::restoreNow() {
    for (DuckedPlayer& p : fducks) p.fade = FadeState{};
    setFadeTimer(false);
    fducks.remove_if([this](const DuckedPlayer& p) { return restoreAtOnce(p.duck); });
    saveDucks();
}

// True when the record is done with: brought back, or left alone because the player is not
// where Kavinta left it (the operator set it since, or it is another window now). A player
// that does not answer, or a session that is not there now, stays recorded.
bool Trcform::restoreLeftOverDuck(const Duck& duck) {
    switch (duck.kind) {
    case PlayerKind::companion:
        fzentrixhwnd = FindWMSAPIWindow(messages_);
        return fzentrixhwnd == 0 || sendToCompanion(kWMSAPIFadeNoWait, kWMSAPIFadeIn, 0, kMessageTimeoutMs);
    case PlayerKind::winamp: {
        if (!messages_.isWindowOfClass(duck.window, kWinampWindowClass)) return true;
        const auto current = queryWinamp(duck.window, kMessageTimeoutMs);
        if (!current) return false;
        return *current != duck.left || restoreAtOnce(duck);
    }
    case PlayerKind::mixer: {
        const auto current = readMixer(duck.guid, duck.name);
        if (!current) return false;
        return *current != duck.left || restoreAtOnce(duck);
    }
    }
    return true;
}

void Trcform::restoreLeftOver() {
    if (!store_) return;
    for (const Duck& duck : store_->load()) {
        if (findDuck(duck) || restoreLeftOverDuck(duck)) continue;
        fducks.emplace_back().duck = duck;
    }
    saveDucks();
}

// --- Stepping

void Trcform::startFade(DuckedPlayer& player, RFadeAction aktion, std::int32_t from, std::int32_t to,
                        long long startedMs, bool warten) {
    const int stepSize = std::max(1, (isWinampFade(aktion) ? 10 : 3) * ffadefaktor);
    const int steps = (std::abs(from - to) + stepSize - 1) / stepSize;
    player.fade = FadeState{aktion, from, to, startedMs, static_cast<long long>(steps) * tick(), warten,
                            sleeper_.nowMs() - startedMs};
    if (isFadeOut(aktion)) player.duck.left = to;
    saveDucks();
    if (from == to) {  // already there: nothing to send
        player.fade = FadeState{};
        return;
    }
    if (warten)
        runBlocking(player);
    else
        setFadeTimer(true);
}

// The pauses are paced; what a blocking fade interrupts of this player's timer fade is over
// with it, while the other players' timer fades go on at the next tick.
void Trcform::runBlocking(DuckedPlayer& player) {
    struct Pacing {
        ISleep& sleeper;
        explicit Pacing(ISleep& s) : sleeper(s) { sleeper.beginPacing(); }
        ~Pacing() { sleeper.endPacing(); }
    } pacing(sleeper_);
    while (!fadestep(player)) sleeper_.sleep(tick());
    finishFade(player);
    if (!anyTimerFade()) setFadeTimer(false);
}

// How long one send of this fade may wait: a blocking fade-out must end in time for the
// jingle, however slowly the player answers.
int Trcform::sendTimeout(const FadeState& fade) const {
    if (!fade.blocking) return kMessageTimeoutMs;
    const long long left = fade.startedMs + fade.idealMs + kBlockingLateMs - sleeper_.nowMs();
    return static_cast<int>(std::clamp<long long>(left, 1, kMessageTimeoutMs));
}

// A step whose answer would come after the fade's time is up sends the target instead: the
// player is expected to take as long as its slowest answer in this fade so far.
bool Trcform::fadestep(DuckedPlayer& player) {
    FadeState& fade = player.fade;
    if (fade.aktion == RFadeAction::nofade) return true;
    const bool winamp = isWinampFade(fade.aktion);
    const int stepSize = std::max(1, (winamp ? 10 : 3) * ffadefaktor);
    const long long lateAt = fade.startedMs + fade.idealMs + (fade.blocking ? kBlockingSlackMs : kTimerSlackMs);
    const long long before = sleeper_.nowMs();
    if (before + fade.slowestAnswerMs >= lateAt)
        fade.aktvol = fade.target;
    else if (isFadeOut(fade.aktion))
        fade.aktvol = std::max(fade.aktvol - stepSize, fade.target);
    else
        fade.aktvol = std::min(fade.aktvol + stepSize, fade.target);

    const int timeout = winamp ? sendTimeout(fade) : 0;
    const bool sent = winamp ? sendWinamp(player, fade.aktvol, timeout) : setMixer(player.duck, fade.aktvol);
    fade.slowestAnswerMs = std::max(fade.slowestAnswerMs, sleeper_.nowMs() - before);
    if (sent) return fade.aktvol == fade.target;

    if (winamp && timeout < kMessageTimeoutMs && fade.aktvol != fade.target) {
        // Out of time, not out of answers: the player still takes the step, and the target
        // is queued behind it, so that it ends where it should.
        sendWinamp(player, fade.target, 1);
    } else if (!isFadeOut(fade.aktion)) {
        // Given up for this fade; a fade-in that did not get there says so.
        report(player, winamp ? !messages_.isWindowOfClass(player.duck.window, kWinampWindowClass) : true);
    }
    fade.aktion = RFadeAction::nofade;
    return true;
}

// A fade-in that reached the level ends the duck; any other fade leaves it in effect.
void Trcform::finishFade(DuckedPlayer& player) {
    const bool backIn = player.fade.aktion != RFadeAction::nofade && !isFadeOut(player.fade.aktion);
    player.fade = FadeState{};
    if (backIn) endDuck(player);
}

bool Trcform::anyTimerFade() const {
    for (const DuckedPlayer& p : fducks)
        if (p.fade.aktion != RFadeAction::nofade && !p.fade.blocking) return true;
    return false;
}

// The fade timer's run is paced like a blocking fade (a fine system timer on Windows).
// A fade started while the timer runs gets a full first period, as one started alone.
void Trcform::setFadeTimer(bool enabled) {
    if (enabled && fadetimer.enabled()) {
        fadetimer.restart();
        return;
    }
    if (enabled) fadetimer.setInterval(tick());
    if (enabled == fadetimer.enabled()) return;
    fadetimer.setEnabled(enabled);
    if (enabled)
        sleeper_.beginPacing();
    else
        sleeper_.endPacing();
}

void Trcform::fadetimerTimer() {
    for (auto it = fducks.begin(); it != fducks.end();) {
        DuckedPlayer& player = *it++;  // finishing a fade-in may remove this player
        if (player.fade.aktion == RFadeAction::nofade || player.fade.blocking) continue;
        if (fadestep(player)) finishFade(player);
    }
    if (!anyTimerFade()) setFadeTimer(false);
}

}  // namespace kv::remote
