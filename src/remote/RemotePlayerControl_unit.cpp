#include "remote/RemotePlayerControl_unit.h"

#include <algorithm>

#include "remote/WMSAPI_unit.h"

namespace kv::remote {

using mixer::RMixerAktion;

namespace {

class NoFadeController final : public IFadeController {
public:
    void zentrixfadeout(std::int32_t, bool) override {}
    void zentrixfadein() override {}
    void zentrixcrossfade() override {}
    void winampfadeout(std::int32_t, bool) override {}
    void winampfadein() override {}
    void mixerfadeout(const std::wstring&, const std::wstring&, std::int32_t, bool) override {}
    void mixerfadein(const std::wstring&, const std::wstring&) override {}
    void mixergetlist(mixer::MixerList&) override {}
};

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
    fguid.clear();
    fdisplayname.clear();
    ftimerfade_aktion = RFadeAction::nofade;
    ftimerfade_minvol = -1;
    ftimerfade_maxvol = -1;
    ftimerfade_aktvol = -1;
    fwinampgivenup = false;
    setFadeTimer(false);
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
}

void Trcform::zentrixfadein() {
    fzentrixhwnd = FindWMSAPIWindow(messages_);
    if (fzentrixhwnd == 0) return;
    sendToCompanion(kWMSAPIFadeNoWait, kWMSAPIFadeIn, 0, kMessageTimeoutMs);
}

void Trcform::zentrixcrossfade() {
    fzentrixhwnd = FindWMSAPIWindow(messages_);
    if (fzentrixhwnd == 0) return;
    if (!sendToCompanion(kWMSAPIFadeWait, kWMSAPIFadeIn, 1, kMessageTimeoutMs)) return;
    messages_.post(fzentrixhwnd, kWMSAPIFadeWait, kWMSAPIAfterCross, 0);
}

// --- Winamp

std::int32_t Trcform::winampTarget(std::int32_t toproz) {
    const double target = mixer::roundHalfEven(toproz / 100.0 * 255);
    return static_cast<std::int32_t>(std::clamp(target, 0.0, 255.0));
}

WindowHandle Trcform::lookUpWinamp() {
    fwinamphwnd = messages_.findWindow(kWinampWindowClass);
    if (fwinamphwnd != 0) fwinampgivenup = false;
    return fwinamphwnd;
}

std::int32_t Trcform::queryWinampVolume(std::int32_t whenUnknown) {
    const auto reply = messages_.send(fwinamphwnd, kWmUser, kWinampQueryVolume, kWinampSetVolume, kMessageTimeoutMs);
    if (!reply) {
        fwinampgivenup = true;
        return whenUnknown;
    }
    return *reply >= 1 && *reply <= 255 ? static_cast<std::int32_t>(*reply) : whenUnknown;
}

// False when Winamp has been given up on in this fade, now or before.
bool Trcform::sendWinampVolume() {
    if (fwinampgivenup) return false;
    if (fwinamphwnd == 0) return true;  // not found by the last lookup: nothing to send to
    const std::intptr_t volume = ftimerfade_aktvol & 0xFF;
    if (!messages_.send(fwinamphwnd, kWmUser, volume, kWinampSetVolume, kMessageTimeoutMs)) fwinampgivenup = true;
    return !fwinampgivenup;
}

void Trcform::winampfadeout(std::int32_t toproz, bool warten) {
    if (lookUpWinamp() == 0) return;
    ftimerfade_minvol = winampTarget(toproz);
    ftimerfade_maxvol = queryWinampVolume(255);
    ftimerfade_aktvol = ftimerfade_maxvol;
    ftimerfade_aktion = RFadeAction::dofadeoutwinamp;
    if (warten)
        runBlocking();
    else
        startTimerFade();
}

void Trcform::winampfadein() {
    if (lookUpWinamp() == 0) return;
    // With no fade-out since start there is no volume to return to: the volume stays.
    if (ftimerfade_maxvol < 0) return;
    ftimerfade_minvol = queryWinampVolume(0);
    setfadeinterval();
    ftimerfade_aktvol = ftimerfade_minvol;
    ftimerfade_aktion = RFadeAction::dofadeinwinamp;
    setFadeTimer(true);
}

// --- Mixer session

std::int32_t Trcform::readMixerVolume(const std::wstring& GUID, const std::wstring& DisplayName, std::int32_t keep) {
    std::int32_t value = keep;
    if (!mixer_.Mixer(RMixerAktion::mixerGet, nullptr, GUID, value))
        mixer_.Mixer(RMixerAktion::mixerGet, nullptr, DisplayName, value);
    return value;
}

void Trcform::setMixerVolume() {
    std::int32_t value = ftimerfade_aktvol;
    if (!mixer_.Mixer(RMixerAktion::mixerSet, nullptr, fguid, value)) {
        value = ftimerfade_aktvol;
        mixer_.Mixer(RMixerAktion::mixerSet, nullptr, fdisplayname, value);
    }
}

void Trcform::mixerfadeout(const std::wstring& GUID, const std::wstring& DisplayName, std::int32_t toproz,
                           bool warten) {
    fguid = GUID;
    fdisplayname = DisplayName;
    ftimerfade_minvol = toproz;
    ftimerfade_maxvol = readMixerVolume(GUID, DisplayName, ftimerfade_maxvol);
    ftimerfade_aktvol = ftimerfade_maxvol;
    ftimerfade_aktion = RFadeAction::dofadeoutmixer;
    if (warten)
        runBlocking();
    else
        startTimerFade();
}

void Trcform::mixerfadein(const std::wstring& GUID, const std::wstring& DisplayName) {
    fguid = GUID;
    fdisplayname = DisplayName;
    ftimerfade_minvol = readMixerVolume(GUID, DisplayName, ftimerfade_minvol);
    setfadeinterval();
    ftimerfade_aktvol = ftimerfade_minvol;
    ftimerfade_aktion = RFadeAction::dofadeinmixer;
    setFadeTimer(true);
}

void Trcform::mixergetlist(mixer::MixerList& mixerlist) {
    std::int32_t unused = 0;
    mixer_.Mixer(RMixerAktion::mixerListing, &mixerlist, L"", unused);
}

bool Trcform::mixertestguid(const std::wstring& GUID) {
    std::int32_t unused = 0;
    return mixer_.Mixer(RMixerAktion::mixerCheck, nullptr, GUID, unused);
}

// --- Stepping

void Trcform::setfadeinterval() { fadetimer.setInterval(fadebaseinterval - ffadespeed); }

void Trcform::startTimerFade() {
    setfadeinterval();
    setFadeTimer(true);
}

// The fade timer's run is paced like a blocking fade (a fine system timer on Windows).
// A fade started while the timer runs gets a full first period, as one started alone.
void Trcform::setFadeTimer(bool enabled) {
    if (enabled && fadetimer.enabled()) {
        fadetimer.restart();
        return;
    }
    if (enabled == fadetimer.enabled()) return;
    fadetimer.setEnabled(enabled);
    if (enabled)
        sleeper_.beginPacing();
    else
        sleeper_.endPacing();
}

void Trcform::runBlocking() {
    struct Pacing {
        ISleep& sleeper;
        explicit Pacing(ISleep& s) : sleeper(s) { sleeper.beginPacing(); }
        ~Pacing() { sleeper.endPacing(); }
    } pacing(sleeper_);
    while (!fadestep()) sleeper_.sleep(fadebaseinterval - ffadespeed);
}

bool Trcform::fadestep() {
    const std::int32_t f = ffadefaktor;
    switch (ftimerfade_aktion) {
    case RFadeAction::dofadeoutwinamp:
        ftimerfade_aktvol = std::max(ftimerfade_aktvol - 10 * f, ftimerfade_minvol);
        return !sendWinampVolume() || ftimerfade_aktvol <= ftimerfade_minvol;
    case RFadeAction::dofadeinwinamp:
        ftimerfade_aktvol = std::min(ftimerfade_aktvol + 10 * f, ftimerfade_maxvol);
        return !sendWinampVolume() || ftimerfade_aktvol >= ftimerfade_maxvol;
    case RFadeAction::dofadeoutmixer:
        ftimerfade_aktvol = std::max(ftimerfade_aktvol - 3 * f, ftimerfade_minvol);
        setMixerVolume();
        return ftimerfade_aktvol <= ftimerfade_minvol;
    case RFadeAction::dofadeinmixer:
        ftimerfade_aktvol = std::min(ftimerfade_aktvol + 3 * f, ftimerfade_maxvol);
        setMixerVolume();
        return ftimerfade_aktvol >= ftimerfade_maxvol;
    case RFadeAction::nofade:
        break;
    }
    return false;
}

void Trcform::fadetimerTimer() {
    if (!fadestep()) return;
    ftimerfade_aktion = RFadeAction::nofade;
    setFadeTimer(false);
}

}  // namespace kv::remote
