#include "library/configaccess.h"

namespace kv {

bool staysUnreadable(const IFileSystem& files, const IClock& clock, const std::wstring& path) {
    for (int attempt = 1;; ++attempt) {
        if (files.readAccess(path) != FileAccess::Unreadable) return false;
        if (attempt == kConfigReadAttempts) return true;
        clock.sleep(kConfigReadPauseMs);
    }
}

}  // namespace kv
