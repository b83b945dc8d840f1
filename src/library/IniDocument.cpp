#include "library/IniDocument.h"

#include "app/strutil.h"

namespace kv {

namespace {

std::size_t firstNonBlank(const std::wstring& line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
    return i;
}

// The name of a section header line, or false when the line is none.
bool headerName(const std::wstring& line, std::wstring& name) {
    const std::size_t open = firstNonBlank(line);
    if (open >= line.size() || line[open] != L'[') return false;
    const std::size_t close = line.rfind(L']');
    if (close == std::wstring::npos || close < open) return false;
    name = line.substr(open + 1, close - open - 1);
    return true;
}

bool isHeader(const std::wstring& line) {
    const std::size_t open = firstNonBlank(line);
    return open < line.size() && line[open] == L'[' && line.rfind(L']') != std::wstring::npos;
}

// A key line: the key before the first '=' (the whole line without one), the value after it.
std::pair<std::wstring, std::wstring> keyAndValue(const std::wstring& line) {
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) return {trimmed(line), L""};
    return {trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

}  // namespace

IniDocument::IniDocument(const std::wstring& text, NameRule sameName) : sameName_(std::move(sameName)) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == L'\r') --stop;
        lines_.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
}

std::wstring IniDocument::text() const {
    std::size_t size = 0;
    for (const std::wstring& line : lines_) size += line.size() + 2;
    std::wstring text;
    text.reserve(size);
    for (const std::wstring& line : lines_) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

std::size_t IniDocument::nextHeader(std::size_t from) const {
    while (from < lines_.size() && !isHeader(lines_[from])) ++from;
    return from;
}

IniDocument::Range IniDocument::find(const std::wstring& section) const {
    std::wstring name;
    for (std::size_t i = nextHeader(0); i < lines_.size(); i = nextHeader(i + 1))
        if (headerName(lines_[i], name) && sameName_(name, section)) return {i, nextHeader(i + 1)};
    return {lines_.size(), lines_.size()};
}

void IniDocument::setValue(Range& range, const std::wstring& key, const std::wstring& value) {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const std::wstring& line = lines_[i];
        if (line.empty() || line[firstNonBlank(line)] == L';') continue;
        const std::wstring existing = keyAndValue(line).first;
        if (!sameName_(existing, key)) continue;
        lines_[i] = existing + L"=" + value;  // the key keeps its spelling
        return;
    }
    std::size_t at = range.end;
    while (at > range.header + 1 && trimmed(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), key + L"=" + value);
    ++range.end;
}

void IniDocument::apply(const SectionWrite& write) {
    Range range = find(write.section);
    if (write.erase && range.header < lines_.size()) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range.header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(range.end));
        range = {lines_.size(), lines_.size()};
    }
    if (write.values.empty()) return;
    if (range.header == lines_.size()) {
        lines_.push_back(L"[" + write.section + L"]");
        range = {lines_.size() - 1, lines_.size()};
    }
    for (const auto& [key, value] : write.values) setValue(range, key, value);
}

std::vector<std::wstring> IniDocument::sectionNames() const {
    std::vector<std::wstring> names;
    std::wstring name;
    for (std::size_t i = nextHeader(0); i < lines_.size(); i = nextHeader(i + 1))
        if (headerName(lines_[i], name)) names.push_back(trimmed(name));
    return names;
}

IniEntries IniDocument::values(const std::wstring& section) const {
    IniEntries entries;
    const Range range = find(section);
    for (std::size_t i = range.header + 1; i < range.end && i < lines_.size(); ++i)
        if (!trimmed(lines_[i]).empty()) entries.push_back(keyAndValue(lines_[i]));
    return entries;
}

}  // namespace kv
