#pragma once
// Trcform, the hidden fade controller: tells the companion application to fade, steps
// Winamp's volume through its window messages and a mixer session's volume through
// TMixer, either blocking (sleeping between the steps) or on its 50 ms fadetimer.
//
// Every player it turns down is remembered as a duck with its level from before: a further
// fade-out of the same player keeps that level, the fade-in returns to it (to the same
// window or session), and the duck ends when the fade-in has reached it. A fade-out never
// raises a player, and a player whose volume query gets no answer is not faded at all.
//
// A receiver that stops answering is given up on for the rest of that fade: every message
// waits at most kMessageTimeoutMs (the companion's blocking fade-out, whose length the
// companion decides, kCompanionFadeTimeoutMs). A fade whose steps fall behind the clock
// (a player that answers slowly) sends its target at once: a blocking fade-out lets the
// jingle start at most kBlockingLateMs after its ideal duration.
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "mixer/mixer_unit.h"
#include "remote/FadeController.h"
#include "remote/WindowMessages.h"
#include "remote/duck.h"
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
// A blocking fade-out ends at most this long after its ideal duration; its volume query
// waits at most kBlockingQueryTimeoutMs.
inline constexpr int kBlockingLateMs = 450;
inline constexpr int kBlockingQueryTimeoutMs = 400;
// Steps that come this much later than the clock allows are dropped for the target.
inline constexpr int kBlockingSlackMs = 250;
inline constexpr int kTimerSlackMs = 1000;

class Trcform final : public IFadeController {
public:
    // One player's fade, as it runs now.
    struct FadeState {
        RFadeAction aktion = RFadeAction::nofade;
        std::int32_t aktvol = -1;  // the value most recently sent (first: the start value)
        std::int32_t target = -1;  // the bound it fades to
        long long startedMs = 0;
        long long idealMs = 0;     // steps × tick
        bool blocking = false;
        long long slowestAnswerMs = 0;  // the longest the player took to answer in this fade
    };
    struct DuckedPlayer {
        Duck duck;
        FadeState fade;
    };

    Trcform(IWindowMessages& messages, ISleep& sleeper, const mixer::TMixer& mixer);
    ~Trcform();
    Trcform(const Trcform&) = delete;
    Trcform& operator=(const Trcform&) = delete;

    void FormCreate();

    void zentrixfadeout(std::int32_t toproz, bool warten) override;
    void zentrixfadein();
    void zentrixcrossfade() override;
    void winampfadeout(std::int32_t toproz, bool warten) override;
    void winampfadein();
    void mixerfadeout(const std::wstring& GUID, const std::wstring& DisplayName, std::int32_t toproz,
                      bool warten) override;
    void mixerfadein(const std::wstring& GUID, const std::wstring& DisplayName);
    void fadeinDucked() override;
    void restoreNow() override;
    void attachDuckStore(IDuckStore* store) override { store_ = store; }
    void restoreLeftOver() override;
    void setNotRestoredHandler(std::function<void(const NotRestored&)> handler) override {
        notRestored_ = std::move(handler);
    }
    void mixergetlist(mixer::MixerList& mixerlist) override;
    bool mixertestguid(const std::wstring& GUID);
    void fadetimerTimer();

    ui::Timer fadetimer{kFadeTimerId, "fadetimer", 50, false};

    std::int32_t fadespeed() const { return ffadespeed; }
    void setFadespeed(std::int32_t value) { ffadespeed = value; }
    std::int32_t fadefaktor() const { return ffadefaktor; }
    void setFadefaktor(std::int32_t value) { ffadefaktor = value; }

    // The state, for the window's owner and the tests.
    WindowHandle zentrixhwnd() const { return fzentrixhwnd; }
    WindowHandle winamphwnd() const { return fwinamphwnd; }
    std::vector<Duck> ducks() const;
    DuckedPlayer* ducked(PlayerKind kind);  // the one duck of a Winamp or companion player
    const DuckedPlayer* ducked(PlayerKind kind) const;

    // Percent of full volume on Winamp's scale 0 to 255, rounded half to even.
    static std::int32_t winampTarget(std::int32_t toproz);

private:
    DuckedPlayer* findDuck(const Duck& player);
    DuckedPlayer& duckFor(const Duck& player, std::int32_t current);
    void endDuck(const DuckedPlayer& player);
    void saveDucks();
    void report(const DuckedPlayer& player, bool gone);
    int tick() const { return fadebaseinterval - ffadespeed; }

    void startFade(DuckedPlayer& player, RFadeAction aktion, std::int32_t from, std::int32_t to,
                   long long startedMs, bool warten);
    void fadeBackIn(DuckedPlayer& player, RFadeAction aktion, std::optional<std::int32_t> current, bool gone);
    void runBlocking(DuckedPlayer& player);
    bool fadestep(DuckedPlayer& player);  // true when this player's fade is over
    void finishFade(DuckedPlayer& player);
    void setFadeTimer(bool enabled);
    bool anyTimerFade() const;

    WindowHandle winampWindow();
    std::optional<std::int32_t> queryWinamp(WindowHandle window, int timeoutMs);
    bool sendWinamp(const DuckedPlayer& player, std::int32_t volume, int timeoutMs);
    std::optional<std::int32_t> readMixer(const std::wstring& GUID, const std::wstring& DisplayName) const;
    bool setMixer(const Duck& duck, std::int32_t percent) const;
    int sendTimeout(const FadeState& fade) const;
    bool sendToCompanion(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam, int timeoutMs);
    bool restoreAtOnce(const Duck& duck);
    bool restoreLeftOverDuck(const Duck& duck);

    IWindowMessages& messages_;
    ISleep& sleeper_;
    const mixer::TMixer& mixer_;
    IDuckStore* store_ = nullptr;
    std::function<void(const NotRestored&)> notRestored_;

    std::int32_t ffadespeed = 50;
    std::int32_t ffadefaktor = 1;
    WindowHandle fzentrixhwnd = kNeverLookedUp;
    WindowHandle fwinamphwnd = kNeverLookedUp;
    std::list<DuckedPlayer> fducks;  // stable references: a blocking fade holds one
};

}  // namespace kv::remote
