#include "ui/styleutil_unit.h"

#include <algorithm>

#include "app/strutil.h"
#include "ui/controls/ComboBox.h"

namespace kv::ui {

const wchar_t* const kSystemStyleName = L"Windows";
const wchar_t* const kStyleSeparator = L"------------";

const std::vector<std::wstring>& BuiltinStyleNames() {
    static const std::vector<std::wstring> names{
        L"Windows", L"Amakrits", L"Amethyst Kamri", L"Aqua Graphite", L"Aqua Light Slate", L"Auric",
        L"Carbon", L"Charcoal Dark Slate", L"Cobalt XEMedia", L"Cyan Dusk", L"Cyan Night",
        L"Emerald Light Slate", L"Glossy", L"Glow", L"Golden Graphite", L"Iceberg Classico",
        L"Lavender Classico", L"Light", L"Luna", L"Metropolis UI Black", L"Metropolis UI Blue",
        L"Metropolis UI Dark", L"Metropolis UI Green", L"Obsidian", L"Onyx Blue", L"Ruby Graphite",
        L"Sapphire Kamri", L"Silver", L"Sky", L"Slate Classico", L"Smokey Quartz Kamri",
        L"Tablet Light", L"TabletDark", L"Turquoise Gray", L"Windows10", L"Windows10 Blue",
        L"Windows10 Dark", L"Windows10 Green", L"Windows10 Purple", L"Windows10 SlateGray"};
    return names;
}

std::vector<std::wstring> StyleNameList(const std::vector<std::wstring>& known,
                                        const std::function<bool(const std::wstring&, const std::wstring&)>& sameName) {
    std::vector<std::wstring> list;
    for (const std::wstring& name : known)
        if (!sameName(trimmed(name), kSystemStyleName)) list.push_back(name);
    std::stable_sort(list.begin(), list.end(), [](const std::wstring& a, const std::wstring& b) {
        return compareTextIgnoreCase(a, b) < 0;
    });
    list.insert(list.begin(), {kSystemStyleName, kStyleSeparator});
    return list;
}

}  // namespace kv::ui
