#pragma once
// The file version from the version resource of an executable file.
#include "app/os_api_unit.h"

namespace kv {

class Win32VersionSource final : public IVersionSource {
public:
    // Reads the running executable; a non-empty path reads that file instead.
    explicit Win32VersionSource(std::wstring path = {}) : path_(std::move(path)) {}
    std::optional<FileVersion> fileVersion(std::wstring& errorText) const override;

private:
    std::wstring path_;
};

// The system's text for an error code, without its line end; the code in decimal when the
// system has no text for it.
std::wstring systemErrorText(unsigned long code);

// The full path of the running executable; empty on failure.
std::wstring ownExecutablePath();

}  // namespace kv
