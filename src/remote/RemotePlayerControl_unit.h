#pragma once
// Trcform, the hidden fade controller: tells the companion application to fade, steps
// Winamp's volume through its window messages and a mixer session's volume through
// TMixer, either blocking (sleeping between the steps) or on its 50 ms fadetimer.
//
// A receiver that stops answering is given up on: every message waits at most
// kMessageTimeoutMs (the companion's blocking fade-out, whose length the companion decides,
// kCompanionFadeTimeoutMs), and after a message that got no answer the rest of that fade
// sends nothing more to that window.
#include <cstdint>
#include <string>

#include "mixer/mixer_unit.h"
#include "remote/FadeController.h"
#include "remote/WindowMessages.h"
#include "ui/controls/Timer.h"

namespace kv::remote {

enum class RFadeAction : std::uint8_t { nofade, dofadeoutwinamp, dofadeinwinamp, dofadeoutmixer, dofadeinmixer };

inline constexpr int fadebaseinterval = 100;
inline constexpr const wchar_t* kWinampWindowClass = L"Winamp v1.x";
inline constexpr std::intptr_t kWinampSetVolume = 122;  // IPC_SETVOLUME
inline constexpr std::intptr_t kWinampQueryVolume = -666;
inline constexpr int kMessageTimeoutMs = 1000;
inline constexpr int kCompanionFadeTimeoutMs = 10000;
inline constexpr int kFadeTimerId = 1;

class Trcform final : public IFadeController {
public:
    Trcform(IWindowMessages& messages, ISleep& sleeper, const mixer::TMixer& mixer);
    ~Trcform();
    Trcform(const Trcform&) = delete;
    Trcform& operator=(const Trcform&) = delete;

    void FormCreate();

    void zentrixfadeout(std::int32_t toproz, bool warten) override;
    void zentrixfadein() override;
    void zentrixcrossfade() override;
    void winampfadeout(std::int32_t toproz, bool warten) override;
    void winampfadein() override;
    void mixerfadeout(const std::wstring& GUID, const std::wstring& DisplayName, std::int32_t toproz,
                      bool warten) override;
    void mixerfadein(const std::wstring& GUID, const std::wstring& DisplayName) override;
    void mixergetlist(mixer::MixerList& mixerlist) override;
    bool mixertestguid(const std::wstring& GUID);
    void fadetimerTimer();

    ui::Timer fadetimer{kFadeTimerId, "fadetimer", 50, false};

    std::int32_t fadespeed() const { return ffadespeed; }
    void setFadespeed(std::int32_t value) { ffadespeed = value; }
    std::int32_t fadefaktor() const { return ffadefaktor; }
    void setFadefaktor(std::int32_t value) { ffadefaktor = value; }

    // The fade state, for the window's owner and the tests.
    WindowHandle zentrixhwnd() const { return fzentrixhwnd; }
    WindowHandle winamphwnd() const { return fwinamphwnd; }
    const std::wstring& guid() const { return fguid; }
    const std::wstring& displayname() const { return fdisplayname; }
    RFadeAction timerfadeAktion() const { return ftimerfade_aktion; }
    std::int32_t minvol() const { return ftimerfade_minvol; }
    std::int32_t maxvol() const { return ftimerfade_maxvol; }
    std::int32_t aktvol() const { return ftimerfade_aktvol; }

    // Percent of full volume on Winamp's scale 0 to 255, rounded half to even.
    static std::int32_t winampTarget(std::int32_t toproz);

private:
    bool fadestep();
    void setfadeinterval();
    void runBlocking();
    void startTimerFade();
    void setFadeTimer(bool enabled);
    WindowHandle lookUpWinamp();
    std::int32_t queryWinampVolume(std::int32_t whenUnknown);
    bool sendWinampVolume();
    void setMixerVolume();
    std::int32_t readMixerVolume(const std::wstring& GUID, const std::wstring& DisplayName, std::int32_t keep);
    bool sendToCompanion(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam, int timeoutMs);

    IWindowMessages& messages_;
    ISleep& sleeper_;
    const mixer::TMixer& mixer_;

    std::int32_t ffadespeed = 50;
    std::int32_t ffadefaktor = 1;
    WindowHandle fzentrixhwnd = kNeverLookedUp;
    WindowHandle fwinamphwnd = kNeverLookedUp;
    std::wstring fguid;
    std::wstring fdisplayname;
    RFadeAction ftimerfade_aktion = RFadeAction::nofade;
    std::int32_t ftimerfade_minvol = -1;
    std::int32_t ftimerfade_maxvol = -1;
    std::int32_t ftimerfade_aktvol = -1;
    bool fwinampgivenup = false;  // Winamp did not answer a message of this fade
};

}  // namespace kv::remote
