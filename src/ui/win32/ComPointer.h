#pragma once
// A move-only owner of one COM interface pointer: Release() exactly once.
#include <unknwn.h>

#include "app/win32/UniqueHandle.h"

namespace kv::ui::win32 {

struct ComReleaseTraits {
    static void free(IUnknown* object) noexcept { object->Release(); }
};

template <typename Interface>
using ComPointer = kv::UniqueResource<Interface*, ComReleaseTraits>;

}  // namespace kv::ui::win32
