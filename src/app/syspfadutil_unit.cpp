#include "app/syspfadutil_unit.h"

#include "app/strutil.h"

namespace kv {

static const wchar_t kWriteTestFile[] = L"schreibtest.debug";
static const wchar_t kLegacyFolder[] = L"Anwendungsdaten";

static std::wstring baseFolder(const DataPathServices& s, const wchar_t* variable) {
    const std::wstring value = s.environment.variable(variable);
    if (value.empty() || !s.files.directoryExists(value)) return {};
    return withoutTrailingBackslash(value);
}

std::wstring GetAppDataPath(const DataPathServices& s) {
    return baseFolder(s, L"APPDATA");
}

std::wstring GetAllUsersProfilePath(const DataPathServices& s) {
    return baseFolder(s, L"ALLUSERSPROFILE");
}

bool IsPathWritable(IFileSystem& files, const std::wstring& folder) {
    if (folder.empty() || !files.directoryExists(folder)) return false;
    const std::wstring file = withTrailingBackslash(folder) + kWriteTestFile;
    if (!files.writeFile(file, std::vector<std::uint8_t>(16, 0))) return false;
    if (files.fileExists(file)) files.deleteFile(file);
    return true;
}

bool CreatePath(IFileSystem& files, const std::wstring& folder) {
    if (folder.empty()) return false;
    const std::wstring path = withTrailingBackslash(folder);
    if (files.directoryExists(path) || files.createDirectories(path)) return files.directoryExists(path);
    return false;
}

std::wstring GetDataPath(const DataPathServices& s, const std::wstring& name, bool create) {
    for (int step = 1; step <= 4; ++step) {
        const bool perUser = step % 2 == 1;
        const std::wstring base = perUser ? GetAppDataPath(s) : GetAllUsersProfilePath(s);
        // An unset base, or one that names no folder, gives no candidate: nothing is ever
        // tried at the root of the drive.
        if (base.empty()) continue;
        const std::wstring candidate =
            perUser ? base + L"\\" + name : base + L"\\" + kLegacyFolder + L"\\" + name;
        const std::wstring candidateDir = candidate + L"\\";
        if (step >= 3 && create) {
            const std::wstring baseDir = base + L"\\";
            if (s.files.directoryExists(baseDir) && IsPathWritable(s.files, baseDir) &&
                !s.files.directoryExists(candidate) && !CreatePath(s.files, candidate)) {
                s.dialogs.showMessage(kv::MessageType::Warning,
                                      kv::joinMessage(candidate, s.texts.text(kv::TextId::VerzeichnisNichtAngelegt)));
            }
        }
        if (s.files.directoryExists(candidateDir) && IsPathWritable(s.files, candidateDir)) return candidate;
    }
    return {};
}

}  // namespace kv
