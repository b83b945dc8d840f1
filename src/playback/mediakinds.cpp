#include "playback/MediaKinds.h"

#include <array>

#include "app/strutil.h"
#include "library/categoryname.h"

namespace kv {

namespace {

class NoMciExtensions final : public IMciExtensions {
public:
    bool registered(const std::wstring&) const override { return false; }
};

// The extension after the last dot of the file name, empty for a name without one.
std::wstring extensionOf(const std::wstring& path) {
    const std::wstring name = fileNameOf(path);
    const auto dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring{} : name.substr(dot + 1);
}

}  // namespace

const IMciExtensions& noMciExtensions() {
    static const NoMciExtensions none;
    return none;
}

bool isPlayableFile(const std::wstring& path, const IMciExtensions& system) {
    static const std::array<const wchar_t*, 9> everyWindows{L"WAV", L"MP3", L"WMA", L"AIF", L"AIFF",
                                                            L"AIFC", L"MID", L"MIDI", L"RMI"};
    const std::wstring extension = upperCase(extensionOf(path));
    if (extension.empty()) return false;
    for (const wchar_t* known : everyWindows)
        if (extension == known) return true;
    return system.registered(extension);
}

}  // namespace kv
