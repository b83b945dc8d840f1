#pragma once
// The profile functions as one run of the program uses them, with writes that can be
// stopped for the rest of the run: after KV.ini could not be read at start, the next
// save would put defaults over the operator's settings.
#include "library/ProfileFile.h"

namespace kv {

class SessionProfile final : public IProfileFile {
public:
    explicit SessionProfile(IProfileFile& file) : file_(file) {}

    // From now on every write and erase leaves the file alone and reports success: the
    // operator has been told once that nothing is saved in this run.
    void stopWrites() { writesStopped_ = true; }
    bool writesStopped() const { return writesStopped_; }

    std::wstring readString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                            const std::wstring& def) const override {
        return file_.readString(file, section, key, def);
    }
    std::optional<Entries> readSection(const std::wstring& file, const std::wstring& section) const override {
        return file_.readSection(file, section);
    }
    std::vector<std::wstring> sectionNames(const std::wstring& file) const override {
        return file_.sectionNames(file);
    }
    bool writeString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override {
        return writesStopped_ || file_.writeString(file, section, key, value);
    }
    bool eraseSection(const std::wstring& file, const std::wstring& section) override {
        return writesStopped_ || file_.eraseSection(file, section);
    }
    bool writeSections(const std::wstring& file, const std::vector<SectionWrite>& writes) override {
        return writesStopped_ || file_.writeSections(file, writes);
    }
    bool sameName(const std::wstring& a, const std::wstring& b) const override { return file_.sameName(a, b); }

private:
    IProfileFile& file_;
    bool writesStopped_ = false;
};

}  // namespace kv
