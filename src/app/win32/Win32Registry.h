#pragma once
// String values under HKEY_CURRENT_USER.
#include "app/Registry.h"

namespace kv {

class Win32Registry final : public IRegistry {
public:
    void writeString(const std::wstring& key, const std::wstring& name, const std::wstring& value) override;
    std::optional<std::wstring> readString(const std::wstring& key, const std::wstring& name) const override;
};

}  // namespace kv
