#pragma once
// What the main window asks of the fade controller around a jingle. None of the operations
// reports a result; each returns without effect when the player or session is not there.
#include <cstdint>
#include <string>

#include "mixer/mixer_unit.h"

namespace kv::remote {

class IFadeController {
public:
    virtual ~IFadeController() = default;
    virtual void zentrixfadeout(std::int32_t toproz, bool warten) = 0;
    virtual void zentrixfadein() = 0;
    virtual void zentrixcrossfade() = 0;
    virtual void winampfadeout(std::int32_t toproz, bool warten) = 0;
    virtual void winampfadein() = 0;
    virtual void mixerfadeout(const std::wstring& GUID, const std::wstring& DisplayName, std::int32_t toproz,
                              bool warten) = 0;
    virtual void mixerfadein(const std::wstring& GUID, const std::wstring& DisplayName) = 0;
    virtual void mixergetlist(mixer::MixerList& mixerlist) = 0;
};

// For a window created without a controller: every operation does nothing.
IFadeController& noFadeController();

}  // namespace kv::remote
