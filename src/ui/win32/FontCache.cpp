#include "ui/win32/FontCache.h"

#include <cwchar>

namespace kv::ui::win32 {

HFONT FontCache::get(const Font& font) {
    const Key key{scale_->dpi(), font.pointSize, font.bold};
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second.get();

    LOGFONTW lf{};
    lf.lfHeight = scale_->fontHeight(font.pointSize);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy_s(lf.lfFaceName, LF_FACESIZE, kFaceName, _TRUNCATE);
    UniqueFont created(CreateFontIndirectW(&lf));
    const HFONT handle = created.get();
    fonts_.emplace(key, std::move(created));
    return handle;
}

void FontCache::dropOtherScales() {
    for (auto it = fonts_.begin(); it != fonts_.end();) {
        if (it->first.dpi != scale_->dpi()) it = fonts_.erase(it);
        else ++it;
    }
}

}  // namespace kv::ui::win32
