#include "FakeProfile.h"

#include <stdexcept>

#include "app/strutil.h"

namespace kv::test {

const FakeProfile::Section* FakeProfile::find(const std::wstring& file, const std::wstring& section) const {
    auto it = files_.find(file);
    if (it == files_.end()) return nullptr;
    for (const Section& s : it->second)
        if (equalsIgnoreCase(s.first, section)) return &s;
    return nullptr;
}

void FakeProfile::countRead() const {
    ++reads_;
    if (throwOnReads_) throw std::runtime_error("profile read failed");
}

std::wstring FakeProfile::readString(const std::wstring& file, const std::wstring& section,
                                     const std::wstring& key, const std::wstring& def) const {
    countRead();
    if (const Section* s = find(file, section))
        for (const auto& kv : s->second)
            if (equalsIgnoreCase(kv.first, key)) return kv.second;
    return def;
}

std::optional<IProfileFile::Entries> FakeProfile::readSection(const std::wstring& file,
                                                             const std::wstring& section) const {
    countRead();
    if (refuseSectionReads_) return std::nullopt;
    Entries entries;
    if (const Section* s = find(file, section))
        for (const auto& kv : s->second) entries.emplace_back(kv.first, kv.second);
    return entries;
}

std::vector<std::wstring> FakeProfile::sectionNames(const std::wstring& file) const {
    std::vector<std::wstring> names;
    auto it = files_.find(file);
    if (it != files_.end())
        for (const Section& s : it->second) names.push_back(s.first);
    return names;
}

bool FakeProfile::writeString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                              const std::wstring& value) {
    if (readOnly_.count(file) || writesLeft_ == 0) return false;
    if (writesLeft_ > 0) --writesLeft_;
    ++writes_;
    auto& sections = files_[file];
    Section* target = nullptr;
    for (Section& s : sections)
        if (!target && equalsIgnoreCase(s.first, section)) target = &s;  // the first of equal names
    if (!target) {
        sections.push_back({section, {}});
        target = &sections.back();
    }
    for (auto& kv : target->second)
        if (equalsIgnoreCase(kv.first, key)) {
            kv.second = value;
            return true;
        }
    target->second.push_back({key, value});
    return true;
}

bool FakeProfile::eraseSection(const std::wstring& file, const std::wstring& section) {
    if (readOnly_.count(file) || writesLeft_ == 0) return false;
    auto& sections = files_[file];
    for (auto it = sections.begin(); it != sections.end(); ++it)
        if (equalsIgnoreCase(it->first, section)) {
            sections.erase(it);
            break;
        }
    return true;
}

bool FakeProfile::writeSections(const std::wstring& file, const std::vector<SectionWrite>& writes) {
    ++batches_;
    int count = 0;
    for (const SectionWrite& w : writes) count += static_cast<int>(w.values.size()) + (w.erase ? 1 : 0);
    if (readOnly_.count(file) || (writesLeft_ >= 0 && writesLeft_ < count)) {
        writesLeft_ = writesLeft_ < 0 ? writesLeft_ : 0;
        return false;  // all or nothing: the file stays as it was
    }
    for (const SectionWrite& w : writes) {
        if (w.erase) eraseSection(file, w.section);
        for (const auto& [key, value] : w.values) writeString(file, w.section, key, value);
    }
    return true;
}

void FakeProfile::appendSection(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                const std::wstring& value) {
    files_[file].push_back({section, {{key, value}}});
}

bool FakeProfile::has(const std::wstring& file, const std::wstring& section, const std::wstring& key) const {
    return readString(file, section, key, L"\x1") != L"\x1";
}

std::vector<std::wstring> FakeProfile::keys(const std::wstring& file, const std::wstring& section) const {
    std::vector<std::wstring> result;
    if (const Section* s = find(file, section))
        for (const auto& kv : s->second) result.push_back(kv.first);
    return result;
}

void FakeProfile::setReadOnly(const std::wstring& file, bool readOnly) {
    if (readOnly) readOnly_.insert(file);
    else readOnly_.erase(file);
}

}  // namespace kv::test
