#pragma once
// TFormHook: what every form of the program shares, one class-wide switch that turns the
// per-form DPI scaling on or off for every form that exists and every form created later.
#include <vector>

namespace kv::ui {

// The platform's side of one form's scaling.
class IScalableForm {
public:
    virtual ~IScalableForm() = default;
    virtual void setScaled(bool on) = 0;     // the form's own scaling switch
    virtual int referencePpi() const = 0;    // its design PPI while scaled, else the system's
    virtual int monitorPpi() const = 0;      // that of the monitor it is on
    virtual void scaleForCurrentDpi() = 0;   // proportionally to the monitor's PPI
};

class TFormHook {
public:
    // Takes the class-wide switch: scaled (and rescaled to its monitor) when it is on.
    explicit TFormHook(IScalableForm& form);
    virtual ~TFormHook();
    TFormHook(const TFormHook&) = delete;
    TFormHook& operator=(const TFormHook&) = delete;

    // Sets the switch and applies it to every form in creation order: on, a form is scaled
    // and rescaled where its monitor's PPI differs; off, nothing is scaled back.
    static void SetFormScaleable(bool value);
    static bool GetFormScaleable();

    virtual void ScaleForCurrentDpi();

private:
    static std::vector<TFormHook*>& forms();
    static bool formScaleable_;
    IScalableForm& form_;
};

}  // namespace kv::ui
