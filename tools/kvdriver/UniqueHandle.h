#pragma once
// The driver owns its process and handle the same way the program does.
#include "app/win32/UniqueHandle.h"

namespace kvdriver {
using kv::UniqueHandle;
}  // namespace kvdriver
