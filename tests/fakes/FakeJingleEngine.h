#pragma once
// The engine's abilities as a test double: records the lists of files it is asked to
// prepare, the gains, fades and device choices it is given, lists the devices the test
// sets, and keeps the measurements asked for until the test answers them (as the worker
// thread would, through the callback).
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "playback/JingleEngine.h"

namespace kv::test {

class FakeJingleEngine final : public IJingleEngine {
public:
    std::vector<std::vector<std::wstring>> preloaded;  // every list, in the order given
    std::vector<double> gains;          // every setGainDb, in order
    std::vector<int> fades;             // every fadeOut's milliseconds
    bool fadeAnswer = true;             // what fadeOut returns
    std::vector<OutputDevice> devices;  // what outputDevices lists
    std::vector<std::wstring> chosenDevices;  // every setOutputDevice
    bool usedDefaultInstead = false;
    struct Request {
        std::wstring file;
        LoudnessDone done;
    };
    std::vector<Request> measureRequests;  // those not answered yet

    void preload(const std::vector<std::wstring>& files) override { preloaded.push_back(files); }
    void setGainDb(double db) override { gains.push_back(db); }
    bool fadeOut(int ms) override {
        fades.push_back(ms);
        return fadeAnswer;
    }
    std::vector<OutputDevice> outputDevices() override { return devices; }
    void setOutputDevice(const std::wstring& id) override { chosenDevices.push_back(id); }
    bool lastOpenUsedDefaultInstead() const override { return usedDefaultInstead; }
    void measureLoudness(const std::wstring& file, LoudnessDone done) override {
        measureRequests.push_back({file, std::move(done)});
    }

    std::vector<std::wstring> requestedFiles() const {
        std::vector<std::wstring> files;
        for (const Request& r : measureRequests) files.push_back(r.file);
        return files;
    }
    // Answers the waiting request for `file` with this reading (nothing: undecodable).
    bool answer(const std::wstring& file, std::optional<LoudnessReading> reading) {
        for (auto it = measureRequests.begin(); it != measureRequests.end(); ++it) {
            if (it->file != file) continue;
            const Request request = std::move(*it);
            measureRequests.erase(it);
            request.done(request.file, reading);
            return true;
        }
        return false;
    }
};

}  // namespace kv::test
