#pragma once
// What the main window asks of the fade controller around a jingle. The fade-outs turn a
// player down and remember it as a duck; the fade-in at a jingle's end, the close and the
// next start bring every ducked player back to its own level. None of the fade operations
// reports a result; each returns without effect when the player or session is not there.
#include <cstdint>
#include <functional>
#include <string>

#include "mixer/mixer_unit.h"
#include "remote/duck.h"

namespace kv::remote {

class IFadeController {
public:
    virtual ~IFadeController() = default;
    virtual void zentrixfadeout(std::int32_t toproz, bool warten) = 0;
    virtual void zentrixcrossfade() = 0;
    virtual void winampfadeout(std::int32_t toproz, bool warten) = 0;
    virtual void mixerfadeout(const std::wstring& GUID, const std::wstring& DisplayName, std::int32_t toproz,
                              bool warten) = 0;
    // Fades every ducked player back in, to the window or session that was turned down.
    virtual void fadeinDucked() = 0;
    // Brings every ducked player back at once: the window closes.
    virtual void restoreNow() = 0;
    // Where the ducks are kept between runs; the ones a crash left there are brought back
    // when the player still stands where Kavinta left it.
    virtual void attachDuckStore(IDuckStore* store) = 0;
    virtual void restoreLeftOver() = 0;
    // Told whenever a ducked player could not be brought back.
    virtual void setNotRestoredHandler(std::function<void(const NotRestored&)> handler) = 0;
    virtual void mixergetlist(mixer::MixerList& mixerlist) = 0;
};

// For a window created without a controller: every operation does nothing.
IFadeController& noFadeController();

}  // namespace kv::remote
