#pragma once
// Monitors and a placed window in memory, for the placement arithmetic.
#include <string>
#include <vector>

#include "ui/formutil_unit.h"

namespace kv::test {

class FakeMonitors final : public ui::IMonitors {
public:
    std::vector<ui::MonitorArea> areas{{{0, 0, 1920, 1040}}};  // 1920 x 1080, task bar of 40 below
    int primary = 0;
    std::vector<ui::MonitorArea> list() const override { return areas; }
    int primaryIndex() const override { return primary; }
};

class FakePlacedForm final : public ui::IPlacedForm {
public:
    std::wstring name = L"Kavintamainform";
    ui::WindowState state = ui::WindowState::Normal;
    ui::Rect rect{40, 30, 419, 510};
    int monitor = 0;
    int ppi = 96;
    bool scaledOn = false;
    int reference = 96;
    int setBoundsCalls = 0;

    std::wstring componentName() const override { return name; }
    ui::WindowState windowState() const override { return state; }
    void setWindowState(ui::WindowState s) override { state = s; }
    ui::Rect bounds() const override { return rect; }
    void setBounds(const ui::Rect& r) override {
        rect = r;
        ++setBoundsCalls;
    }
    int monitorIndex() const override { return monitor; }
    int monitorPpi() const override { return ppi; }
    bool scaled() const override { return scaledOn; }
    int referencePpi() const override { return reference; }
};

}  // namespace kv::test
