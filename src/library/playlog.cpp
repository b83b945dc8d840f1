// The play log KVLOG.LOG: one line per slot press, a header line when the file is new.
#include "library/playlog.h"

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

namespace ui {

// Failures are silent: the log never gets in the way of a jingle.
void TKavintamainform::dolog(const std::wstring& jingle) {
    const JinglePathParts parts = splitJinglePath(jingle);
    const std::wstring file = datapath_ + L"KVLOG.LOG";
    if (!s_.files.fileExists(file)) {
        const std::wstring header = text(TextId::LogDatum) + L" " + text(TextId::LogZeit) + L" " +
                                    text(TextId::LogJinglename) + L" " + text(TextId::LogJinglepfad) + L"\r\n";
        if (!s_.files.appendAnsiText(file, header)) return;
    }
    // One reading for both fields: around midnight two readings could name different days.
    const LocalTime now = s_.clock.now();
    const std::wstring date = formatLogDate(now);
    const std::wstring time = formatLogTime(now, s_.clock.timeSeparator());
    s_.files.appendAnsiText(file, date + L" " + time + L" " + parts.name + L" " + parts.path + L"\r\n");
}

}  // namespace ui
}  // namespace kv
