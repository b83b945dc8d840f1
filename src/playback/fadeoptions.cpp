// The fade options of a category: the two pairs that exclude each other, and saving on
// every change.
#include "ui/MainUnit.h"

namespace kv::ui {

void TKavintamainform::auto_fo_vorClick() {
    if (auto_fo_vor.checked()) auto_fo_mit.setChecked(false);
    konfigspeichern();
}

void TKavintamainform::auto_fo_mitClick() {
    if (auto_fo_mit.checked()) auto_fo_vor.setChecked(false);
    konfigspeichern();
}

void TKavintamainform::auto_fiClick() {
    if (auto_fi.checked()) auto_crossfade.setChecked(false);
    konfigspeichern();
}

void TKavintamainform::auto_crossfadeClick() {
    if (auto_crossfade.checked()) auto_fi.setChecked(false);
    konfigspeichern();
}

void TKavintamainform::c_mfade_Click() { konfigspeichern(); }
void TKavintamainform::FadeoutposChange() { konfigspeichern(); }
void TKavintamainform::jingleendezeitChange() { konfigspeichern(); }

void TKavintamainform::fadeoutDispatch(bool /*blocking*/) {}
void TKavintamainform::endOfJingleDispatch() {}

}  // namespace kv::ui
