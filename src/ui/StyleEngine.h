#pragma once
// The looks the program knows: the system look "Windows" (no data; the system draws it)
// and the built-in styles, and which of them is active. Views ask it for the active
// style's data; the main window switches it by name.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/StyleData.h"
#include "ui/styleutil_unit.h"

namespace kv::ui {

class IStyleEngine {
public:
    virtual ~IStyleEngine() = default;
    // "Windows" first, then every built-in style by the name it carries.
    virtual std::vector<std::wstring> names() const = 0;
    virtual std::wstring activeName() const = 0;
    // Makes the named look active; false (and nothing changed) for a name no look has.
    virtual bool switchTo(const std::wstring& name) = 0;
    // The text colour of a push button in its normal state in the active look; nothing
    // when the look cannot tell.
    virtual std::optional<ColorValue> buttonTextColor() const = 0;
};

// The system look only: every other name fails to switch.
IStyleEngine& systemLookOnly();

class StyleEngine final : public IStyleEngine {
public:
    using SystemColour = std::function<ColorValue()>;
    // systemButtonText: the system's button text colour, reported for the system look.
    explicit StyleEngine(SystemColour systemButtonText = {}) : systemButtonText_(std::move(systemButtonText)) {}

    // Reads one style's data and adds it; false (nothing added) when it is malformed or
    // its name is taken.
    bool addStyle(std::string_view data);

    std::vector<std::wstring> names() const override;
    std::wstring activeName() const override;
    bool switchTo(const std::wstring& name) override;
    std::optional<ColorValue> buttonTextColor() const override;

    // The active style's data; nullptr while the system look is active.
    const StyleData* active() const { return active_ < 0 ? nullptr : &styles_[static_cast<size_t>(active_)]; }
    const std::vector<StyleData>& styles() const { return styles_; }
    // Called after every switch that changed the look, to repaint.
    std::function<void()> onChanged;

private:
    SystemColour systemButtonText_;
    std::vector<StyleData> styles_;
    int active_ = -1;  // -1: the system look
};

// The glyph colour: the active look's normal push-button text colour or, when it cannot
// report one, systemButtonText.
ColorValue StyleGlyphColor(const IStyleEngine& engine, ColorValue systemButtonText);

}  // namespace kv::ui
