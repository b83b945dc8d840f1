#include "ui/StyleEngine.h"

namespace kv::ui {

namespace {

class SystemLookOnly final : public IStyleEngine {
public:
    std::vector<std::wstring> names() const override { return {kSystemStyleName}; }
    std::wstring activeName() const override { return kSystemStyleName; }
    bool switchTo(const std::wstring& name) override { return name == kSystemStyleName; }
    std::optional<ColorValue> buttonTextColor() const override { return std::nullopt; }
};

}  // namespace

IStyleEngine& systemLookOnly() {
    static SystemLookOnly engine;
    return engine;
}

bool StyleEngine::addStyle(std::string_view data) {
    std::optional<StyleData> style = parseStyle(data);
    if (!style || style->name == kSystemStyleName) return false;
    for (const StyleData& s : styles_)
        if (s.name == style->name) return false;
    styles_.push_back(std::move(*style));
    return true;
}

std::vector<std::wstring> StyleEngine::names() const {
    std::vector<std::wstring> all{kSystemStyleName};
    for (const StyleData& s : styles_) all.push_back(s.name);
    return all;
}

std::wstring StyleEngine::activeName() const { return active() ? active()->name : kSystemStyleName; }

bool StyleEngine::switchTo(const std::wstring& name) {
    int found = -2;
    if (name == kSystemStyleName) found = -1;
    for (size_t i = 0; i < styles_.size() && found == -2; ++i)
        if (styles_[i].name == name) found = static_cast<int>(i);
    if (found == -2) return false;
    if (found == active_) return true;
    active_ = found;
    if (onChanged) onChanged();
    return true;
}

std::optional<ColorValue> StyleEngine::buttonTextColor() const {
    if (const StyleData* s = active()) {
        const StyleColour& c = s->colour(StyleRole::ButtonText);
        return colorValue(c.r, c.g, c.b);
    }
    if (systemButtonText_) return systemButtonText_();
    return std::nullopt;
}

ColorValue StyleGlyphColor(const IStyleEngine& engine, ColorValue systemButtonText) {
    return engine.buttonTextColor().value_or(systemButtonText);
}

}  // namespace kv::ui
