#include "ui/controls/ListNavigation.h"

#include <algorithm>

namespace kv::ui {

int listTarget(int current, int count, ListKey key, int pageRows) {
    if (count <= 0) return -1;
    const int page = std::max(1, pageRows - 1);  // a page keeps one row of the last one in view
    if (current < 0 || current >= count) return key == ListKey::End ? count - 1 : 0;
    int target = current;
    switch (key) {
        case ListKey::Up: target = current - 1; break;
        case ListKey::Down: target = current + 1; break;
        case ListKey::PageUp: target = current - page; break;
        case ListKey::PageDown: target = current + page; break;
        case ListKey::Home: target = 0; break;
        case ListKey::End: target = count - 1; break;
    }
    return std::clamp(target, 0, count - 1);
}

int listEntryStartingWith(const std::vector<std::wstring>& items, int current, wchar_t ch, CharFold fold) {
    const int count = static_cast<int>(items.size());
    const wchar_t wanted = fold(ch);
    for (int step = 1; step <= count; ++step) {
        const int index = ((current < 0 ? -1 : current) + step) % count;
        const std::wstring& text = items[static_cast<size_t>(index)];
        if (!text.empty() && fold(text.front()) == wanted) return index;
    }
    return -1;
}

int listTopShowing(int index, int top, int rows, int count) {
    const int lastTop = std::max(0, count - std::max(1, rows));
    if (index >= 0 && index < count) {
        if (index < top) top = index;
        else if (index >= top + rows) top = index - rows + 1;
    }
    return std::clamp(top, 0, lastTop);
}

}  // namespace kv::ui
