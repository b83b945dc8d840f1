#include "mixer/MMDevApi.h"

#include <cstdio>

namespace kv::mixer {

std::wstring guidText(const Guid& g) {
    wchar_t text[39];
    std::swprintf(text, 39, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(g.data1),
                  static_cast<unsigned>(g.data2), static_cast<unsigned>(g.data3), g.data4[0], g.data4[1], g.data4[2],
                  g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

}  // namespace kv::mixer
