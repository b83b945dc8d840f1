// Files dropped onto a slot button: one file is assigned as after the right click's file
// dialog (the caption is asked for), several fill that slot and the ones after it with their
// file names as captions. Folders and files the media player cannot play are left out and
// named in the status line.
#include <string>
#include <vector>

#include "library/categoryname.h"
#include "ui/MainUnit.h"

namespace kv::ui {

namespace {

std::wstring joined(const std::vector<std::wstring>& parts, const std::wstring& separator) {
    std::wstring all;
    for (const std::wstring& part : parts) all += (all.empty() ? L"" : separator) + part;
    return all;
}

std::wstring captionOf(const std::wstring& file) { return withoutLastExtension(fileNameOf(file)); }

}  // namespace

int TKavintamainform::slotAt(int x, int y) const {
    for (size_t i = 0; i < J.size(); ++i) {
        const Rect r = J[i].bounds();
        if (J[i].visible() && x >= r.left && x < r.right() && y >= r.top && y < r.bottom())
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void TKavintamainform::JingleButtonDragDrop(Button& target, const std::vector<std::wstring>& paths) {
    if (paths.empty()) return;
    if (!categoryExists()) {
        warn(MessageType::Information, text(TextId::ErstKategorieAnlegen));
        return;
    }
    std::vector<std::wstring> playable;
    std::vector<std::wstring> refused;
    for (const std::wstring& path : paths) {
        const bool takes = !s_.files.directoryExists(path) && isPlayableFile(path, s_.mciExtensions);
        (takes ? playable : refused).push_back(path);
    }
    std::vector<std::wstring> notices;
    if (!refused.empty()) {
        std::vector<std::wstring> names;
        for (const std::wstring& path : refused) names.push_back(fileNameOf(path));
        notices.push_back(formatText(text(TextId::NichtAbspielbar), joined(names, L", ")));
    }
    if (paths.size() == 1 && !playable.empty()) {
        std::wstring caption = captionOf(playable.front());
        if (s_.dialogs.inputQuery(text(TextId::JingleAendern), text(TextId::BitteBezeichnungEingeben), caption)) {
            assignDropped(target, playable.front(), caption);
            konfigspeichern();
        }
    } else if (!playable.empty()) {
        assignDroppedInOrder(target, playable, notices);
    }
    if (!playable.empty()) preloadSlots();
    if (!notices.empty()) setStatusError(joined(notices, L"; "));
}

void TKavintamainform::assignDropped(Button& target, const std::wstring& file, const std::wstring& caption) {
    target.setHint(file);
    target.setMarker(L"");
    target.setText(caption);
}

// One save at the end; the files that find no slot after J12 are counted in the notices.
void TKavintamainform::assignDroppedInOrder(Button& first, const std::vector<std::wstring>& files,
                                            std::vector<std::wstring>& notices) {
    int n = 1;
    while (n <= kSlotCount && &slot(n) != &first) ++n;
    if (n > kSlotCount) return;
    size_t placed = 0;
    for (; placed < files.size() && n <= kSlotCount; ++placed, ++n)
        assignDropped(slot(n), files[placed], captionOf(files[placed]));
    if (placed < files.size())
        notices.push_back(formatNumber(text(TextId::KeinPlatzNachJ12), static_cast<long long>(files.size() - placed)));
    konfigspeichern();
}

}  // namespace kv::ui
