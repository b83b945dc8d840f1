#include "kvdriver/IniSnapshot.h"

#include <windows.h>

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kvdriver {
namespace {

std::wstring decode(const std::vector<std::uint8_t>& bytes, TextEncoding& encoding) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        encoding = TextEncoding::Utf16Le;
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8)));
        return text;
    }
    encoding = TextEncoding::Ansi;
    if (bytes.empty()) return {};
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, data, size, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, data, size, text.data(), length);
    return text;
}

std::wstring trim(const std::wstring& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && std::iswspace(s[begin])) ++begin;
    while (end > begin && std::iswspace(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

}  // namespace

bool equalsIgnoreCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

IniSnapshot IniSnapshot::parse(const std::vector<std::uint8_t>& bytes) {
    IniSnapshot ini;
    const std::wstring text = decode(bytes, ini.encoding_);
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == L';') continue;
        if (line.front() == L'[') {
            const size_t close = line.find(L']');
            if (close == std::wstring::npos) ini.stray_.push_back(line);
            ini.sections_.push_back({line.substr(1, close == std::wstring::npos ? line.size() - 1 : close - 1), {}});
            continue;
        }
        const size_t eq = line.find(L'=');
        if (eq == std::wstring::npos || ini.sections_.empty()) {
            ini.stray_.push_back(line);
            continue;
        }
        ini.sections_.back().entries.emplace_back(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
    }
    return ini;
}

std::optional<IniSnapshot> IniSnapshot::load(const std::wstring& path) {
    const auto bytes = readFileBytes(path);
    if (!bytes) return std::nullopt;
    return parse(*bytes);
}

std::vector<std::wstring> IniSnapshot::sectionNames() const {
    std::vector<std::wstring> names;
    for (const auto& s : sections_) names.push_back(s.name);
    return names;
}

const IniSnapshot::Section* IniSnapshot::section(const std::wstring& name) const {
    for (const auto& s : sections_)
        if (equalsIgnoreCase(s.name, name)) return &s;
    return nullptr;
}

std::vector<std::wstring> IniSnapshot::keys(const std::wstring& sectionName) const {
    std::vector<std::wstring> result;
    if (const Section* s = section(sectionName))
        for (const auto& entry : s->entries) result.push_back(entry.first);
    return result;
}

std::optional<std::wstring> IniSnapshot::value(const std::wstring& sectionName,
                                               const std::wstring& key) const {
    if (const Section* s = section(sectionName))
        for (const auto& entry : s->entries)
            if (equalsIgnoreCase(entry.first, key)) return entry.second;
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) return std::nullopt;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::uint8_t> utf16LeWithBom(const std::wstring& text) {
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (wchar_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    return bytes;
}

bool writeFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace kvdriver
