#pragma once
// An engine that records the lists of files it was asked to prepare.
#include <string>
#include <vector>

#include "playback/JingleEngine.h"

namespace kv::test {

class FakeJingleEngine final : public IJingleEngine {
public:
    std::vector<std::vector<std::wstring>> preloaded;  // every list, in the order given

    void preload(const std::vector<std::wstring>& files) override { preloaded.push_back(files); }
    void setGainDb(double) override {}
    bool fadeOut(int) override { return false; }
    std::vector<OutputDevice> outputDevices() override { return {}; }
    void setOutputDevice(const std::wstring&) override {}
    bool lastOpenUsedDefaultInstead() const override { return false; }
    void measureLoudness(const std::wstring&, LoudnessDone) override {}
};

}  // namespace kv::test
