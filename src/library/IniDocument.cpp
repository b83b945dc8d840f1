#include "library/IniDocument.h"

#include "app/strutil.h"
#include "library/textencoding.h"

#include <cstring>

namespace kv {

namespace {

using View = std::wstring_view;

std::wstring trimmedView(View text) {
    std::size_t first = 0, last = text.size();
    while (first < last && text[first] <= L' ') ++first;
    while (last > first && text[last - 1] <= L' ') --last;
    return std::wstring(text.substr(first, last - first));
}

bool isBlankView(View text) {
    for (wchar_t c : text)
        if (c > L' ') return false;
    return true;
}

std::size_t firstNonBlank(View line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
    return i;
}

// The name of a section header line, or false when the line is none.
bool headerName(View line, std::wstring& name) {
    const std::size_t open = firstNonBlank(line);
    if (open >= line.size() || line[open] != L'[') return false;
    const std::size_t close = line.rfind(L']');
    if (close == std::wstring::npos || close < open) return false;
    name = std::wstring(line.substr(open + 1, close - open - 1));
    return true;
}

bool isHeader(View line) {
    const std::size_t open = firstNonBlank(line);
    return open < line.size() && line[open] == L'[' && line.rfind(L']') != View::npos;
}

// A key line: the key before the first '=' (the whole line without one), the value after it.
std::pair<std::wstring, std::wstring> keyAndValue(View line) {
    const std::size_t equals = line.find(L'=');
    if (equals == View::npos) return {trimmedView(line), L""};
    return {trimmedView(line.substr(0, equals)), trimmedView(line.substr(equals + 1))};
}

}  // namespace

IniDocument::IniDocument(std::wstring text, NameRule sameName)
    : text_(std::move(text)), sameName_(std::move(sameName)) {
    const View all(text_);
    lines_.reserve(all.size() / 24 + 16);  // about the length of a slot's line
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find(L'\n', start);
        if (end == View::npos) end = all.size();
        std::size_t stop = end;
        if (stop > start && all[stop - 1] == L'\r') --stop;
        lines_.push_back(all.substr(start, stop - start));
        start = end + 1;
    }
}

std::wstring_view IniDocument::own(std::wstring line) {
    owned_.push_back(std::move(line));
    return owned_.back();
}

std::wstring IniDocument::text() const {
    std::size_t size = 0;
    for (View line : lines_) size += line.size() + 2;
    std::wstring text;
    text.reserve(size);
    for (View line : lines_) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

std::vector<std::uint8_t> IniDocument::utf16LeWithMark() const {
    if constexpr (sizeof(wchar_t) != 2) {
        return toUtf16LeWithMark(text());
    } else {
        std::size_t size = 2;
        for (View line : lines_) size += (line.size() + 2) * 2;
        std::vector<std::uint8_t> bytes(size);
        bytes[0] = 0xFF;
        bytes[1] = 0xFE;
        std::uint8_t* at = bytes.data() + 2;
        static const wchar_t lineEnd[] = L"\r\n";
        for (View line : lines_) {
            std::memcpy(at, line.data(), line.size() * 2);
            at += line.size() * 2;
            std::memcpy(at, lineEnd, 4);
            at += 4;
        }
        return bytes;
    }
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
        const View line = lines_[i];
        const std::size_t first = firstNonBlank(line);
        if (first >= line.size() || line[first] == L';') continue;
        const std::wstring existing = keyAndValue(line).first;
        if (!sameName_(existing, key)) continue;
        lines_[i] = own(existing + L"=" + value);  // the key keeps its spelling
        return;
    }
    std::size_t at = range.end;
    while (at > range.header + 1 && isBlankView(lines_[at - 1])) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), own(key + L"=" + value));
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
        lines_.push_back(own(L"[" + write.section + L"]"));
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
        if (!isBlankView(lines_[i])) entries.push_back(keyAndValue(lines_[i]));
    return entries;
}

}  // namespace kv
