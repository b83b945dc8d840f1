#include "Fakes.h"

#include "app/strutil.h"

namespace kv::test {

std::wstring FakeFileSystem::key(const std::wstring& path) {
    return upperCase(withoutTrailingBackslash(path));
}

static std::wstring parentOf(const std::wstring& path) {
    const size_t at = path.rfind(L'\\');
    return at == std::wstring::npos ? std::wstring{} : path.substr(0, at);
}

bool FakeFileSystem::canWriteIn(const std::wstring& path) const {
    const std::wstring parent = parentOf(key(path));
    return dirs_.count(parent) && !readOnly_.count(parent);
}

bool FakeFileSystem::directoryExists(const std::wstring& path) const { return dirs_.count(key(path)) > 0; }
bool FakeFileSystem::fileExists(const std::wstring& path) const { return files_.count(key(path)) > 0; }

FileAccess FakeFileSystem::readAccess(const std::wstring& path) const {
    if (directoryExists(path)) return FileAccess::Unreadable;
    if (!fileExists(path)) return FileAccess::Missing;
    auto held = held_.find(key(path));
    if (held == held_.end() || held->second == 0) return FileAccess::Readable;
    if (held->second > 0) --held->second;
    return FileAccess::Unreadable;
}

bool FakeFileSystem::createDirectories(const std::wstring& path) {
    ++createCalls;
    std::vector<std::wstring> missing;
    for (std::wstring p = key(path); !p.empty() && !dirs_.count(p); p = parentOf(p)) missing.push_back(p);
    for (const std::wstring& p : missing)
        if (!parentOf(p).empty() && readOnly_.count(parentOf(p))) return false;
    for (const std::wstring& p : missing) dirs_.insert(p);
    return true;
}

bool FakeFileSystem::writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    ++writeCalls;
    if (!canWriteIn(path)) return false;
    files_[key(path)] = std::wstring(bytes.begin(), bytes.end());
    return true;
}

bool FakeFileSystem::deleteFile(const std::wstring& path) { return files_.erase(key(path)) > 0; }

FileContent FakeFileSystem::readFile(const std::wstring& path, std::size_t limit) const {
    if (readAccess(path) == FileAccess::Unreadable) return {FileAccess::Unreadable, {}};
    auto it = files_.find(key(path));
    if (it == files_.end()) return {FileAccess::Missing, {}};
    if (limit == kWholeFile) ++fullReads;
    const std::wstring& text = it->second;
    FileContent content{FileAccess::Readable, {}};
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) content.bytes.push_back(static_cast<std::uint8_t>(text[i]));
    return content;
}

std::wstring FakeFileSystem::writeTemporaryBeside(const std::wstring& beside, const std::vector<std::uint8_t>& bytes) {
    const std::wstring temporary = parentOf(key(beside)) + L"\\KV" + std::to_wstring(++temporaries_) + L".TMP";
    if (failTemporaryWrites || !canWriteIn(temporary)) return {};
    files_[key(temporary)] = std::wstring(bytes.begin(), bytes.end());
    return temporary;
}

bool FakeFileSystem::replaceFile(const std::wstring& from, const std::wstring& to) {
    ++replaceCalls;
    auto it = files_.find(key(from));
    if (failReplace || it == files_.end() || !canWriteIn(to)) return false;
    files_[key(to)] = it->second;
    files_.erase(key(from));
    return true;
}

bool FakeFileSystem::appendBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    if (failAppends || !canWriteIn(path)) return false;
    files_[key(path)] += std::wstring(bytes.begin(), bytes.end());
    return true;
}

std::optional<std::string> FakeFileSystem::toAnsi(const std::wstring& text) const {
    std::string bytes;
    for (wchar_t c : text) {
        if (static_cast<std::uint32_t>(c) > 0xFF) return std::nullopt;
        bytes += static_cast<char>(c);
    }
    return bytes;
}

std::wstring FakeFileSystem::fromAnsi(const std::string& bytes) const {
    std::wstring text;
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

std::vector<std::uint8_t> FakeFileSystem::fileBytes(const std::wstring& path) const {
    const std::wstring text = fileText(path);
    std::vector<std::uint8_t> bytes;
    for (wchar_t c : text) bytes.push_back(static_cast<std::uint8_t>(c));
    return bytes;
}

void FakeFileSystem::addFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    addFile(path, std::wstring(bytes.begin(), bytes.end()));
}

void FakeFileSystem::addDirectory(const std::wstring& path) {
    for (std::wstring p = key(path); !p.empty(); p = parentOf(p)) dirs_.insert(p);
}

void FakeFileSystem::setReadOnly(const std::wstring& folder) { readOnly_.insert(key(folder)); }

void FakeFileSystem::addFile(const std::wstring& path, const std::wstring& text) {
    addDirectory(parentOf(key(path)));
    files_[key(path)] = text;
    touch(path);
}

std::optional<FileStamp> FakeFileSystem::fileStamp(const std::wstring& path) const {
    const auto file = files_.find(key(path));
    if (file == files_.end()) return std::nullopt;
    const auto time = times_.find(key(path));
    return FileStamp{file->second.size(), time == times_.end() ? 0 : time->second};
}

std::wstring FakeFileSystem::fileText(const std::wstring& path) const {
    auto it = files_.find(key(path));
    return it == files_.end() ? std::wstring{} : it->second;
}

std::vector<std::wstring> FakeFileSystem::filesIn(const std::wstring& folder) const {
    std::vector<std::wstring> result;
    for (const auto& [path, text] : files_)
        if (parentOf(path) == key(folder)) result.push_back(path);
    return result;
}

bool FakeDialogs::confirm(const std::wstring& text) {
    confirmations.push_back(text);
    if (confirmAnswers.empty()) return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

bool FakeDialogs::inputQuery(const std::wstring& caption, const std::wstring& prompt, std::wstring& value) {
    queries.push_back({caption, prompt, value});
    if (queryAnswers.empty()) return false;
    auto answer = queryAnswers.front();
    queryAnswers.pop_front();
    return answer(value);
}

bool FakeDialogs::openFile(const std::wstring& filter, const std::wstring& initialDir, std::wstring& fileName) {
    openFilters.push_back(filter);
    openInitialDirs.push_back(initialDir);
    if (openAnswers.empty()) return false;
    fileName = openAnswers.front();
    openAnswers.pop_front();
    return !fileName.empty();
}

bool FakeMediaPlayer::open(const std::wstring& fileName) {
    close();
    opened.push_back(fileName);
    error_ = failOpenWith;
    open_ = failOpenWith == 0;
    return open_;
}

// Moves the time of day; whole days carry into the day of the month (tests stay within one).
void FakeClock::advanceSeconds(int seconds) {
    long long total = ((time.hour * 60LL + time.minute) * 60 + time.second) + seconds;
    long long days = total / 86400;
    total %= 86400;
    if (total < 0) {
        total += 86400;
        --days;
    }
    time.day += static_cast<int>(days);
    time.hour = static_cast<int>(total / 3600);
    time.minute = static_cast<int>(total / 60 % 60);
    time.second = static_cast<int>(total % 60);
}

int FakeRandom::draw(int n) {
    if (draws.empty()) return 1;
    const int value = draws.front();
    draws.pop_front();
    return value > n ? n : value;
}

}  // namespace kv::test
