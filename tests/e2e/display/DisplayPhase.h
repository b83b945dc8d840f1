#pragma once
// The fixture of the cases that scripts/e2e-displays.sh runs in Wine sessions of their own
// (a display with other monitors, a prefix with another system PPI). Their data folders lie
// in KV_E2E_PHASE_DIR, which the script keeps from one session to the next; without it the
// cases are skipped, as they mean nothing in the shared session of the other tests.
#include "../E2eFixture.h"

namespace kv::e2e {

// KV_E2E_PHASE_DIR as a Windows path; empty when it is not set.
std::wstring phaseFolder();

class DisplayPhase : public E2eTest {
protected:
    void SetUp() override;

    DataEnvironment standardData() const override;
    std::wstring dataFolder() const override { return phaseFolder() + L"\\appdata\\Kavinta"; }
};

}  // namespace kv::e2e
