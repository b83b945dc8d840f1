#pragma once
// The file extensions the system names an MCI device for: the values of the registry key
// "MCI Extensions", where the formats of installed codecs are entered too.
#include "playback/MediaKinds.h"

namespace kv {

class Win32MciExtensions final : public IMciExtensions {
public:
    bool registered(const std::wstring& extension) const override;
};

}  // namespace kv
