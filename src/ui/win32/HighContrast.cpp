#include "ui/win32/HighContrast.h"

#include <windows.h>

namespace kv::ui::win32 {

bool HighContrast::systemHighContrast() {
    HIGHCONTRASTW info{};
    info.cbSize = sizeof(info);
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(info), &info, 0)) return false;
    return (info.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace kv::ui::win32
