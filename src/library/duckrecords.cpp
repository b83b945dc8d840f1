#include "library/duckrecords.h"

namespace kv {

std::vector<remote::Duck> DuckRecords::load() {
    std::vector<remote::Duck> ducks;
    const auto entries = profile_.readSection(path_(), kDuckSection);
    if (entries)
        for (const auto& entry : *entries)
            if (auto duck = remote::parseDuckRecord(entry.second)) ducks.push_back(*duck);
    written_ = ducks;
    return ducks;
}

// The section is replaced in one change of the file. A failed write is not reported: the
// ducks in memory still bring the music back in this run, and the next change of the ducks
// tries again; only a start after a crash would miss them.
void DuckRecords::save(const std::vector<remote::Duck>& ducks) {
    if (ducks == written_) return;
    SectionWrite write{kDuckSection, {}, true};
    for (size_t i = 0; i < ducks.size(); ++i)
        write.values.emplace_back(std::to_wstring(i + 1), remote::duckRecordText(ducks[i]));
    if (profile_.writeSections(path_(), {write})) written_ = ducks;
}

}  // namespace kv
