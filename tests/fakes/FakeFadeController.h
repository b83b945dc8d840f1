#pragma once
// The fade controller as the main window sees it: every call written down as text, and a
// scripted mixer listing.
#include <functional>
#include <string>
#include <vector>

#include "remote/FadeController.h"

namespace kv::test {

class FakeFadeController final : public remote::IFadeController {
public:
    std::vector<std::wstring> calls;  // e.g. L"winampfadeout(30,true)"
    mixer::MixerList sessions;        // what mixergetlist adds
    std::function<void(const std::wstring&)> onCall;
    remote::IDuckStore* store = nullptr;
    std::function<void(const remote::NotRestored&)> notRestored;  // the window's handler

    void zentrixfadeout(std::int32_t toproz, bool warten) override {
        record(L"zentrixfadeout(" + std::to_wstring(toproz) + L"," + flag(warten) + L")");
    }
    void zentrixcrossfade() override { record(L"zentrixcrossfade"); }
    void winampfadeout(std::int32_t toproz, bool warten) override {
        record(L"winampfadeout(" + std::to_wstring(toproz) + L"," + flag(warten) + L")");
    }
    void mixerfadeout(const std::wstring& guid, const std::wstring& name, std::int32_t toproz, bool warten) override {
        record(L"mixerfadeout(" + guid + L"," + name + L"," + std::to_wstring(toproz) + L"," + flag(warten) + L")");
    }
    void fadeinDucked() override { record(L"fadeinDucked"); }
    void restoreNow() override { record(L"restoreNow"); }
    void attachDuckStore(remote::IDuckStore* s) override { store = s; }
    void restoreLeftOver() override { record(L"restoreLeftOver"); }
    void setNotRestoredHandler(std::function<void(const remote::NotRestored&)> handler) override {
        notRestored = std::move(handler);
    }
    void mixergetlist(mixer::MixerList& list) override {
        record(L"mixergetlist");
        list.insert(list.end(), sessions.begin(), sessions.end());
    }

private:
    static std::wstring flag(bool b) { return b ? L"true" : L"false"; }
    void record(std::wstring call) {
        if (onCall) onCall(call);
        calls.push_back(std::move(call));
    }
};

}  // namespace kv::test
