#pragma once
// The ducks in effect, kept in a section of KV.ini of their own that the category list
// hides, as KONFIG: one key per duck. Written when a duck begins or ends, so that a start
// after a crash finds what was left turned down.
#include <functional>
#include <string>
#include <vector>

#include "library/ProfileFile.h"
#include "remote/duck.h"

namespace kv {

inline constexpr const wchar_t* kDuckSection = L"KVDUCK";

class DuckRecords final : public remote::IDuckStore {
public:
    // path gives KV.ini's full path at the moment of each read or write.
    DuckRecords(IProfileFile& profile, std::function<std::wstring()> path)
        : profile_(profile), path_(std::move(path)) {}

    std::vector<remote::Duck> load() override;
    // Writes only what differs from the file's records as last read or written.
    void save(const std::vector<remote::Duck>& ducks) override;

private:
    IProfileFile& profile_;
    std::function<std::wstring()> path_;
    std::vector<remote::Duck> written_;
};

}  // namespace kv
