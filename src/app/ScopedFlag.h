#pragma once
// Sets a flag for the life of a scope and clears it on every way out, an exception included:
// a flag left set would block what it guards for the rest of the run.
namespace kv {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace kv
