#include "app/win32/Win32RunningCopy.h"

#include <optional>
#include <utility>
#include <vector>

#include "app/commandpayload.h"
#include "app/strutil.h"
#include "app/win32/UniqueHandle.h"
#include "app/win32/startoncemutex_unit.h"

namespace kv {

namespace {

// The TOKEN_USER block of a process's token (its user's SID inside), empty on failure.
std::vector<BYTE> tokenUser(HANDLE process) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return {};
    const UniqueHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return {};
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    return buffer;
}

PSID sidOf(std::vector<BYTE>& user) { return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid; }

std::wstring fileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return trimmed(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

std::optional<std::wstring> imagePath(HANDLE process) {
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size)) return std::nullopt;
    path.resize(size);
    return path;
}

// A process of the same user started from a file of the same name: the copy that holds the
// start-once mutex. A process that cannot be asked is not taken for ours.
class OwnCopies {
public:
    OwnCopies() : ownUser_(tokenUser(GetCurrentProcess())), ownName_(startOnceMutexName()) {}

    bool isOurs(DWORD pid) {
        if (pid == GetCurrentProcessId() || ownUser_.empty()) return false;
        const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        if (!process) return false;
        std::vector<BYTE> user = tokenUser(process.get());
        if (user.empty() || !EqualSid(sidOf(user), sidOf(ownUser_))) return false;
        const std::optional<std::wstring> path = imagePath(process.get());
        return path && equalsIgnoreCase(fileNameOf(*path), ownName_);
    }

private:
    std::vector<BYTE> ownUser_;
    std::wstring ownName_;
};

}  // namespace

Win32RunningCopy::Win32RunningCopy(std::wstring windowClass, UINT answerTimeoutMs)
    : windowClass_(std::move(windowClass)), answerTimeoutMs_(answerTimeoutMs) {}

HWND Win32RunningCopy::findWindow() const {
    OwnCopies copies;
    for (HWND window = FindWindowExW(nullptr, nullptr, windowClass_.c_str(), nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, windowClass_.c_str(), nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (copies.isOurs(pid)) return window;
    }
    return nullptr;
}

IRunningCopy::Answer Win32RunningCopy::send(const RemoteCommand& command) {
    const HWND window = findWindow();
    if (window == nullptr) return Answer::NoWindow;
    CommandPayload payload = encodeCommand(command);
    COPYDATASTRUCT data{kCommandTag, sizeof payload, &payload};
    DWORD_PTR result = FALSE;
    const LRESULT sent = SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                             SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT, answerTimeoutMs_, &result);
    return sent != 0 && result == TRUE ? Answer::Taken : Answer::NotTaken;
}

}  // namespace kv
