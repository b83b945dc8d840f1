// The fade options of a category: the two pairs that exclude each other, saving on every
// change, the choice of the mixer session, and the dispatch of the fades around a jingle
// to the fade controller for the player interface that is on.
#include "app/ScopedFlag.h"
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

void TKavintamainform::fadeoutDispatch(bool blocking) {
    const int target = Fadeoutpos.position();
    if (c_mfade_Zentrix.checked()) s_.rcform.zentrixfadeout(target, blocking);
    if (c_mfade_winamp.checked()) s_.rcform.winampfadeout(target, blocking);
    if (c_mfade_mixer.checked()) domixerfadeout(blocking);
}

void TKavintamainform::endOfJingleDispatch() {
    const bool fadeIn = fadeInAtEnd_ || auto_fi.checked();
    const bool played = jinglePlayed_;
    fadeInAtEnd_ = false;
    jinglePlayed_ = false;
    if (fadeIn) s_.rcform.fadeinDucked();
    if (played && auto_crossfade.checked()) {
        if (c_mfade_Zentrix.checked()) s_.rcform.zentrixcrossfade();
        if (c_mfade_winamp.checked() || c_mfade_mixer.checked()) refuseCombination();
    }
}

// Only the companion application cross-fades; the choice stays, and the box comes at every
// jingle end, one at a time: while it is open, further refusals open no other.
void TKavintamainform::refuseCombination() {
    if (refusalShown_) return;
    const ScopedFlag shown(refusalShown_);
    warn(MessageType::Information, text(TextId::FadeNichtUnterstuetzt) + L"\n\r" + text(TextId::AndereBetriebsart));
}

void TKavintamainform::showNotRestored(const remote::NotRestored& failure) {
    std::wstring player = failure.duck.name;
    if (failure.duck.kind == remote::PlayerKind::winamp) player = L"Winamp";
    if (failure.duck.kind == remote::PlayerKind::companion) player = L"Tribolo";
    setStatusError(formatText(text(failure.gone ? TextId::MusikNichtGefunden : TextId::MusikAntwortetNicht), player));
}

// The session chosen from the listing (GUID text, display name); without a listing entry,
// only the name the box shows.
std::pair<std::wstring, std::wstring> TKavintamainform::chosenMixerSession() const {
    const int index = cb_mfade_mixer.itemIndex();
    if (fMixerList && index >= 0 && index < static_cast<int>(fMixerList->size())) {
        const auto& entry = (*fMixerList)[static_cast<size_t>(index)];
        return {entry.second, entry.first};
    }
    return {L"", cb_mfade_mixer.text()};
}

void TKavintamainform::domixerfadeout(bool warten) {
    const auto [guid, name] = chosenMixerSession();
    s_.rcform.mixerfadeout(guid, name, Fadeoutpos.position(), warten);
}

// The list is filled afresh each time it opens. The session shown before stays chosen: its
// listing entry, or, when it does not run now, its name as a further entry after the
// listing, so that opening and closing the list never loses the stored session.
void TKavintamainform::cb_mfade_mixerDropDown() {
    const std::wstring shown = cb_mfade_mixer.text();
    fMixerList.emplace();
    s_.rcform.mixergetlist(*fMixerList);
    cb_mfade_mixer.clear();
    for (const auto& entry : *fMixerList) cb_mfade_mixer.addItem(entry.first);
    if (!shown.empty()) {
        int index = cb_mfade_mixer.indexOf(shown, false);
        if (index < 0) index = cb_mfade_mixer.addItem(shown);
        cb_mfade_mixer.setItemIndex(index);
    }
    konfigspeichern();
}

}  // namespace kv::ui
