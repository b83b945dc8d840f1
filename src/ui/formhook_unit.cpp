#include "ui/formhook_unit.h"

#include <algorithm>

namespace kv::ui {

bool TFormHook::formScaleable_ = false;

std::vector<TFormHook*>& TFormHook::forms() {
    static std::vector<TFormHook*> all;
    return all;
}

TFormHook::TFormHook(IScalableForm& form) : form_(form) {
    forms().push_back(this);
    form_.setScaled(formScaleable_);
    if (formScaleable_) form_.scaleForCurrentDpi();
}

TFormHook::~TFormHook() {
    auto& all = forms();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void TFormHook::SetFormScaleable(bool value) {
    formScaleable_ = value;
    for (TFormHook* form : forms()) {
        form->form_.setScaled(value);
        if (value && form->form_.referencePpi() != form->form_.monitorPpi()) form->ScaleForCurrentDpi();
    }
}

bool TFormHook::GetFormScaleable() { return formScaleable_; }

void TFormHook::ScaleForCurrentDpi() { form_.scaleForCurrentDpi(); }

}  // namespace kv::ui
