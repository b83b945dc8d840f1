#pragma once
// Environment variables of the running process.
#include "app/FileSystem.h"

namespace kv {

class Win32Environment final : public IEnvironment {
public:
    std::wstring variable(const std::wstring& name) const override;
};

}  // namespace kv
