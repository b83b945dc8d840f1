#pragma once
// The program's version text, from the version resource of its own executable.
#include <cstdint>
#include <optional>
#include <string>

#include "app/Dialogs.h"
#include "app/Texts.h"

namespace kv {

struct FileVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t release = 0;
    std::uint16_t build = 0;
};

class IVersionSource {
public:
    virtual ~IVersionSource() = default;
    // The file version of the running executable, or nothing with the system's error text.
    virtual std::optional<FileVersion> fileVersion(std::wstring& errorText) const = 0;
};

// "3.04" for 3.4.0.0, "1.05b" for 1.5.2.0: minor with two digits, release as a letter.
std::wstring formatVersion(const FileVersion& version);

// The version text; on failure a warning naming the error, and an empty text.
std::wstring GetAppVersionStr(const IVersionSource& source, kv::IDialogs& dialogs,
                              const kv::ITexts& texts);

}  // namespace kv
