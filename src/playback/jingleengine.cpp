#include "playback/JingleEngine.h"

namespace kv {

namespace {

class NoJingleEngine final : public IJingleEngine {
public:
    void preload(const std::vector<std::wstring>&) override {}
    void setGainDb(double) override {}
    bool fadeOut(int) override { return false; }
    std::vector<OutputDevice> outputDevices() override { return {}; }
    void setOutputDevice(const std::wstring&) override {}
    bool lastOpenUsedDefaultInstead() const override { return false; }
    void measureLoudness(const std::wstring&, LoudnessDone) override {}
};

}  // namespace

IJingleEngine& noJingleEngine() {
    static NoJingleEngine none;
    return none;
}

}  // namespace kv
