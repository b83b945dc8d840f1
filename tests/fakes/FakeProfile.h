#pragma once
// An in-memory INI file store with the private-profile functions' rules: sections and keys
// match ignoring case, new keys go to the end of their section, new sections to the end of
// the file, existing keys are replaced where they stand.
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/strutil.h"
#include "library/ProfileFile.h"

namespace kv::test {

class FakeProfile final : public IProfileFile {
public:
    using Section = std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>>;

    std::wstring readString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                            const std::wstring& def) const override;
    std::optional<Entries> readSection(const std::wstring& file, const std::wstring& section) const override;
    std::vector<std::wstring> sectionNames(const std::wstring& file) const override;
    bool writeString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override;
    bool eraseSection(const std::wstring& file, const std::wstring& section) override;
    // All or nothing; each value counts as one write for failWritesAfter and writeCount.
    bool writeSections(const std::wstring& file, const std::vector<SectionWrite>& writes) override;
    bool sameName(const std::wstring& a, const std::wstring& b) const override {
        return equalsIgnoreCase(trimmed(a), trimmed(b));
    }

    // Test helpers
    void set(const std::wstring& file, const std::wstring& section, const std::wstring& key,
             const std::wstring& value) { writeString(file, section, key, value); }
    bool has(const std::wstring& file, const std::wstring& section, const std::wstring& key) const;
    std::wstring get(const std::wstring& file, const std::wstring& section, const std::wstring& key) const {
        return readString(file, section, key, L"<missing>");
    }
    // Keys of a section in file order.
    std::vector<std::wstring> keys(const std::wstring& file, const std::wstring& section) const;
    bool exists(const std::wstring& file) const { return files_.count(file) > 0; }

    void setReadOnly(const std::wstring& file, bool readOnly);
    // Lets this many further writes succeed, then every write fails (-1: no limit).
    void failWritesAfter(int count) { writesLeft_ = count; }
    int writeCount() const { return writes_; }
    int batchCount() const { return batches_; }  // calls of writeSections
    // readSection answers nothing, as for a section too large to read in one pass.
    void refuseSectionReads(bool refuse) { refuseSectionReads_ = refuse; }
    int readCount() const { return reads_; }
    // Adds a section at the end of the file even when one of that name (in any case) is
    // there already, as a file edited by hand can hold it.
    void appendSection(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                       const std::wstring& value);
    // Every read throws, as a profile that ran out of memory would.
    void throwOnReads(bool fail) { throwOnReads_ = fail; }

private:
    const Section* find(const std::wstring& file, const std::wstring& section) const;
    void countRead() const;
    std::map<std::wstring, std::vector<Section>> files_;
    std::set<std::wstring> readOnly_;
    int writesLeft_ = -1;
    bool refuseSectionReads_ = false;
    bool throwOnReads_ = false;
    mutable int reads_ = 0;
    int writes_ = 0;
    int batches_ = 0;
};

}  // namespace kv::test
