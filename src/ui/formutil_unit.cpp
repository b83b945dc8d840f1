#include "ui/formutil_unit.h"

#include <cstdint>

#include "library/IniFile.h"

namespace kv::ui {

namespace {

// The default size on the form's current monitor: the product in 32-bit integers, the
// quotient in double precision, truncated towards zero.
int scaledDefault(int size, int monitorPpi, int referencePpi) {
    if (referencePpi <= 0) return size;
    const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(size) * static_cast<std::uint32_t>(monitorPpi));
    return static_cast<int>(static_cast<double>(product) / referencePpi);
}

}  // namespace

std::wstring FormSectionName(const IPlacedForm& form) { return L"FORM_" + form.componentName(); }

void RestoreFormPlacement(const IProfileFile& profile, const IMonitors& monitors, const std::wstring& file,
                          IPlacedForm& form, int defaultWidth, int defaultHeight, bool keepSize) {
    int monitor = monitors.primaryIndex();
    try {
        const IniSection ini(profile, file, FormSectionName(form));
        monitor = ini.readInteger(L"MONITOR", monitor);
        if (ini.readInteger(L"WINDOWSTATE", 0) == static_cast<int>(WindowState::Maximized)) {
            form.setWindowState(WindowState::Maximized);
        } else {
            Rect r = form.bounds();
            if (keepSize) {
                r.height = defaultHeight;
                r.width = defaultWidth;
            } else if (form.scaled()) {
                r.height = ini.readInteger(L"HEIGHT_SCALED", scaledDefault(defaultHeight, form.monitorPpi(), form.referencePpi()));
                r.width = ini.readInteger(L"WIDTH_SCALED", scaledDefault(defaultWidth, form.monitorPpi(), form.referencePpi()));
            } else {
                r.height = ini.readInteger(L"HEIGHT", defaultHeight);
                r.width = ini.readInteger(L"WIDTH", defaultWidth);
            }
            r.top = ini.readInteger(L"TOP", 100);
            r.left = ini.readInteger(L"LEFT", 100);
            form.setBounds(r);
        }
    } catch (...) {
        // A failed read leaves the rest at what it was; the clamping below runs all the same.
    }
    KeepFormInWorkArea(monitors, form, monitor);
}

SectionWrite FormPlacementWrite(const IPlacedForm& form) {
    const Rect r = form.bounds();
    const bool scaled = form.scaled();
    auto number = [](int n) { return std::to_wstring(n); };
    return {FormSectionName(form),
            {{L"WINDOWSTATE", number(static_cast<int>(form.windowState()))},
             {L"MONITOR", number(form.monitorIndex())},
             {L"TOP", number(r.top)},
             {L"LEFT", number(r.left)},
             {scaled ? L"HEIGHT_SCALED" : L"HEIGHT", number(r.height)},
             {scaled ? L"WIDTH_SCALED" : L"WIDTH", number(r.width)},
             {L"DPI", number(form.referencePpi())},
             {L"SCALED", scaled ? L"1" : L"0"}},
            false};
}

bool SaveFormPlacement(IProfileFile& profile, const std::wstring& file, const IPlacedForm& form) {
    return profile.writeSections(file, {FormPlacementWrite(form)});
}

void KeepFormInWorkArea(const IMonitors& monitors, IPlacedForm& form, int monitorIndex) {
    const std::vector<MonitorArea> all = monitors.list();
    if (all.empty()) return;
    int index = monitorIndex;
    if (index < 0 || index > static_cast<int>(all.size()) - 1) index = monitors.primaryIndex();
    if (index < 0 || index >= static_cast<int>(all.size())) return;
    const Rect w = all[static_cast<size_t>(index)].workArea;
    Rect r = form.bounds();
    const Rect before = r;
    if (r.left < w.left) r.left = w.left;
    if (r.top < w.top) r.top = w.top;
    // After the left and top edges, so that a window larger than the area lines up with its
    // right and bottom edges.
    if (r.left + r.width > w.left + w.width) r.left = w.left + w.width - r.width;
    if (r.top + r.height > w.top + w.height) r.top = w.top + w.height - r.height;
    if (r.left != before.left || r.top != before.top) form.setBounds(r);
}

}  // namespace kv::ui
