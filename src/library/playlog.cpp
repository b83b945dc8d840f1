// The play log KVLOG.LOG: one line per slot press, a header line when the file is new.
#include "library/playlog.h"

#include <algorithm>

#include "library/textencoding.h"
#include "ui/MainUnit.h"

namespace kv {

JinglePathParts splitJinglePath(const std::wstring& jingle) {
    const size_t slash = jingle.rfind(L'\\');
    if (slash == std::wstring::npos) return {L"", jingle};
    return {jingle.substr(slash + 1), jingle.substr(0, slash + 1)};
}

static std::wstring twoDigits(int n) {
    return (n < 10 ? L"0" : L"") + std::to_wstring(n);
}

std::wstring formatLogDate(const LocalTime& t) {
    std::wstring year = std::to_wstring(t.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, L'0');
    return twoDigits(t.day) + L"." + twoDigits(t.month) + L"." + year;
}

std::wstring formatLogTime(const LocalTime& t, const std::wstring& separator) {
    return twoDigits(t.hour) + separator + twoDigits(t.minute) + separator + twoDigits(t.second);
}

namespace {

std::vector<std::uint8_t> withUtf8Mark(const std::wstring& text) {
    std::vector<std::uint8_t> bytes{0xEF, 0xBB, 0xBF};
    const std::vector<std::uint8_t> body = toUtf8(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

bool startsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// The whole ANSI file and the new line, as UTF-8 with a mark, in the file's place.
bool convertToUtf8(IFileSystem& files, const std::wstring& file, const std::wstring& line) {
    const FileContent old = files.readFile(file, kWholeFile);
    if (old.access != FileAccess::Readable) return false;
    const std::wstring text = files.fromAnsi(std::string(old.bytes.begin(), old.bytes.end()));
    const std::wstring temporary = files.writeTemporaryBeside(file, withUtf8Mark(text + line));
    if (temporary.empty()) return false;
    if (files.replaceFile(temporary, file)) return true;
    files.deleteFile(temporary);
    return false;
}

}  // namespace

bool appendLogLine(IFileSystem& files, IFileLocks& locks, const std::wstring& file, const std::wstring& header,
                   const std::wstring& line) {
    const std::unique_ptr<FileLock> lock = locks.acquire(file, kFileLockWaitMs);
    if (!lock) return false;
    const FileContent start = files.readFile(file, 3);
    if (start.access == FileAccess::Missing) return files.appendBytes(file, withUtf8Mark(header + line));
    if (start.access != FileAccess::Readable) return false;
    if (start.bytes.empty()) return files.appendBytes(file, withUtf8Mark(line));
    if (startsWith(start.bytes, {0xEF, 0xBB, 0xBF})) return files.appendBytes(file, toUtf8(line));
    if (startsWith(start.bytes, {0xFF, 0xFE})) {
        std::optional<std::vector<std::uint8_t>> bytes = encodeText(line, TextForm::Utf16Le, files);
        bytes->erase(bytes->begin(), bytes->begin() + 2);  // the file has its mark
        return files.appendBytes(file, *bytes);
    }
    if (const std::optional<std::string> ansi = files.toAnsi(line))
        return files.appendBytes(file, std::vector<std::uint8_t>(ansi->begin(), ansi->end()));
    return convertToUtf8(files, file, line);
}

namespace ui {

// Failures are silent: the log never gets in the way of a jingle.
void TKavintamainform::dolog(const std::wstring& jingle) {
    const JinglePathParts parts = splitJinglePath(jingle);
    const std::wstring header = text(TextId::LogDatum) + L" " + text(TextId::LogZeit) + L" " +
                                text(TextId::LogJinglename) + L" " + text(TextId::LogJinglepfad) + L"\r\n";
    // One reading for both fields: around midnight two readings could name different days.
    const LocalTime now = s_.clock.now();
    const std::wstring date = formatLogDate(now);
    const std::wstring time = formatLogTime(now, s_.clock.timeSeparator());
    appendLogLine(s_.files, s_.fileLocks, datapath_ + L"KVLOG.LOG", header,
                  date + L" " + time + L" " + parts.name + L" " + parts.path + L"\r\n");
}

}  // namespace ui
}  // namespace kv
