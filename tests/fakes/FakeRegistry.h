#pragma once
// The current user's registry as a map of (key, value name) to string data.
#include <map>
#include <utility>

#include "app/Registry.h"

namespace kv::test {

class FakeRegistry final : public IRegistry {
public:
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
    bool failWrites = false;  // every write fails, as for a key the user may not change
    int writeCalls = 0;

    void writeString(const std::wstring& key, const std::wstring& name, const std::wstring& value) override {
        ++writeCalls;
        if (failWrites) throw RegistryError(L"HKEY_CURRENT_USER\\" + key + L": access denied");
        values[{key, name}] = value;
    }
    std::optional<std::wstring> readString(const std::wstring& key, const std::wstring& name) const override {
        auto it = values.find({key, name});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
};

}  // namespace kv::test
