#pragma once
// A style engine that knows the built-in names without their data: every style reports the
// button text colour the test gives it (or none), and switches are recorded.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/StyleEngine.h"
#include "ui/styleutil_unit.h"

namespace kv::test {

class FakeStyleEngine final : public ui::IStyleEngine {
public:
    std::vector<std::wstring> known = ui::BuiltinStyleNames();
    std::map<std::wstring, std::optional<ui::ColorValue>> colours;  // per name; absent: black
    std::wstring active = ui::kSystemStyleName;
    std::vector<std::wstring> switches;  // every name asked for, in order

    std::vector<std::wstring> names() const override { return known; }
    std::wstring activeName() const override { return active; }
    bool switchTo(const std::wstring& name) override {
        switches.push_back(name);
        for (const std::wstring& k : known)
            if (k == name) {
                active = name;
                return true;
            }
        return false;
    }
    std::optional<ui::ColorValue> buttonTextColor() const override {
        const auto it = colours.find(active);
        if (it == colours.end()) return ui::colorValue(0, 0, 0);
        return it->second;
    }
};

}  // namespace kv::test
