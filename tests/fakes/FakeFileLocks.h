#pragma once
// File locks that record who holds them, and can be held by "another copy" for good.
#include <map>
#include <memory>
#include <string>

#include "app/FileLock.h"
#include "app/strutil.h"

namespace kv::test {

class FakeFileLocks final : public IFileLocks {
public:
    std::unique_ptr<FileLock> acquire(const std::wstring& path, int timeoutMs) override {
        ++acquisitions;
        lastTimeoutMs = timeoutMs;
        if (heldElsewhere) return nullptr;  // the other copy keeps it past the wait
        return std::make_unique<Held>(held[upperCase(path)]);
    }
    bool holds(const std::wstring& path) const {
        auto it = held.find(upperCase(path));
        return it != held.end() && it->second > 0;
    }

    bool heldElsewhere = false;
    int acquisitions = 0;
    int lastTimeoutMs = 0;
    std::map<std::wstring, int> held;  // by path in upper case: how many holders now

private:
    class Held final : public FileLock {
    public:
        explicit Held(int& count) : count_(count) { ++count_; }
        ~Held() override { --count_; }

    private:
        int& count_;
    };
};

}  // namespace kv::test
