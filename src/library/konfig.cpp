// The configuration file KV.ini: the category list and window-wide settings, loading the
// current category into the window, and the one save operation.
#include <string>

#include "app/ScopedFlag.h"
#include "app/strutil.h"
#include "library/IniFile.h"
#include "library/configaccess.h"
#include "library/duckrecords.h"
#include "ui/formutil_unit.h"
#include "ui/MainUnit.h"

namespace kv::ui {

namespace {

std::wstring textKey(int slot) { return L"Text" + std::to_wstring(slot); }
std::wstring jingleKey(int slot) { return L"Jingle" + std::to_wstring(slot); }

bool isPlacementSection(const std::wstring& name) {
    return upperCase(name.substr(0, 4)) == L"FORM";
}

}  // namespace

void TKavintamainform::konfigladenkategorien() {
    // A file that is there but cannot be read gives an empty list and defaults, and the
    // next save would write them over the operator's settings.
    const bool unreadable = staysUnreadable(s_.files, s_.clock, configFile());
    if (unreadable) profile_.stopWrites();
    const IniFile ini(profile_, configFile());
    kategorie.setSorted(false);
    kategorie.setItemIndex(-1);
    kategorie.clear();
    // The profile functions find only the first of sections whose names differ at most in
    // case; a repeated name would be a second entry showing the first one's slots.
    for (const std::wstring& section : ini.sections())
        if (kategorie.indexOf(section, true) < 0) kategorie.addItem(section);
    for (const wchar_t* hidden : kHiddenSections) {
        const int index = kategorie.indexOf(hidden, true);
        if (index >= 0) kategorie.deleteItem(index);
    }
    for (int i = kategorie.count() - 1; i >= 0; --i)
        if (isPlacementSection(kategorie.item(i))) kategorie.deleteItem(i);
    kategorie.setSorted(true);

    // One read of the section: each read of the file parses all of it again.
    const IniSection konfig = ini.section(kConfigSection);
    c_fensterimvordergrund.setChecked(konfig.readBool(L"fensterimvordergrund", false));
    c_fensterskalieren.setChecked(konfig.readBool(L"fensterskalieren", true));
    currentStyleName_ = konfig.readString(L"STYLENAME", kDefaultStyle);
    m_globaletasten.setChecked(konfig.readBool(L"globaletasten", false));
    m_gleichlaut.setChecked(konfig.readBool(L"jinglesgleichlaut", false));
    m_blendetaus.setChecked(konfig.readBool(L"zweiterdruckblendetaus", false));
    chooseOutputDevice(konfig.readString(L"ausgabegeraet", L""), konfig.readString(L"ausgabegeraetname", L""));
    if (unreadable) warn(MessageType::Warning, text(TextId::KonfigNichtLesbar));
}

void TKavintamainform::konfigladenjingles() {
    const FormUpdate paintedOnce(host());  // some forty controls change here
    const ScopedFlag loading(loading_);  // a save asked for meanwhile does nothing
    for (Button& b : J) {
        b.setFont(Font{});
        b.setMarker(L"");
        b.setText(L"");
        b.setHint(L"");
    }
    const std::wstring name = kategorie.text();
    loudness_.fill(std::nullopt);
    if (isBlank(name)) {
        preloadSlots();  // nothing to load, nothing to keep prepared
        return;
    }
    // One read of the whole section: every key of the category is needed.
    const IniSection ini = IniFile(profile_, configFile()).section(name);
    const std::wstring unbelegt = text(TextId::Unbelegt);
    for (int n = 1; n <= kSlotCount; ++n) {
        slot(n).setText(ini.readString(textKey(n), unbelegt));
        slot(n).setHint(ini.readString(jingleKey(n), L""));
    }
    loadSlotLoudness(ini);
    preloadSlots();
    c_mfade_Zentrix.setChecked(ini.readBool(L"zentrixfadeoutin", true));
    c_mfade_winamp.setChecked(ini.readBool(L"winampfadeoutin", false));
    c_mfade_mixer.setChecked(ini.readBool(L"mixerfadeoutin", false));

    const std::wstring session = ini.readString(L"mixerfadeoutin_name", L"");
    if (!session.empty()) {
        // Every load would otherwise add the name again; an existing entry is selected instead.
        int index = cb_mfade_mixer.indexOf(session, false);
        if (index < 0) index = cb_mfade_mixer.addItem(session);
        cb_mfade_mixer.setItemIndex(index);
    } else {
        cb_mfade_mixer.setItemIndex(-1);  // a category without a session shows none
    }
    auto_fo_vor.setChecked(ini.readBool(L"fo1", false));
    auto_fo_mit.setChecked(ini.readBool(L"fo2", false));
    auto_fi.setChecked(ini.readBool(L"fi", false));
    auto_crossfade.setChecked(ini.readBool(L"cf", false));
    Fadeoutpos.setPosition(ini.readInteger(L"fopos", 0));
    jingleendezeit.setValue(ini.readInteger(L"jingleendezeit", 0));
    jingletimer.setEnabled(false);
    jingletimereinaus.setChecked(ini.readBool(L"jingletimereinaus", false));
    jingletimerval.setValue(ini.readInteger(L"jingletimerval", 30));
    jingletimersetup();
    if (auto_crossfade.checked()) Fadeoutpos.setPosition(0);
}

// The values of the current category's section, in the order they are written.
IniEntries TKavintamainform::categoryValues() {
    auto flag = [](bool on) { return std::wstring(on ? L"1" : L"0"); };
    IniEntries values;
    for (int n = 1; n <= kSlotCount; ++n) {
        values.emplace_back(textKey(n), slot(n).text());
        values.emplace_back(jingleKey(n), slot(n).hint());
        const std::optional<SlotLoudness>& measured = slotLoudness(n);
        if (measured && measured->file == trimmed(slot(n).hint())) {
            const IniEntries keys = slotLoudnessEntries(n, *measured);
            values.insert(values.end(), keys.begin(), keys.end());
        }
    }
    values.insert(values.end(), {{L"zentrixfadeoutin", flag(c_mfade_Zentrix.checked())},
                                 {L"winampfadeoutin", flag(c_mfade_winamp.checked())},
                                 {L"mixerfadeoutin", flag(c_mfade_mixer.checked())},
                                 {L"mixerfadeoutin_name", cb_mfade_mixer.text()},
                                 {L"fo1", flag(auto_fo_vor.checked())},
                                 {L"fo2", flag(auto_fo_mit.checked())},
                                 {L"fi", flag(auto_fi.checked())},
                                 {L"cf", flag(auto_crossfade.checked())},
                                 {L"fopos", std::to_wstring(Fadeoutpos.position())},
                                 {L"jingleendezeit", std::to_wstring(jingleendezeit.value())},
                                 {L"jingletimereinaus", flag(jingletimereinaus.checked())},
                                 {L"jingletimerval", std::to_wstring(jingletimerval.value())}});
    return values;
}

// One change of the file for the current category, KONFIG and the placement together:
// another copy of the program saving the same file meanwhile keeps its own sections.
void TKavintamainform::konfigspeichern() {
    if (loading_) return;
    auto flag = [](bool on) { return std::wstring(on ? L"1" : L"0"); };
    std::vector<SectionWrite> writes;
    const std::wstring name = kategorie.text();
    if (!isBlank(name)) writes.push_back({name, categoryValues(), false});
    writes.push_back({kConfigSection,
                      {{L"fensterimvordergrund", flag(c_fensterimvordergrund.checked())},
                       {L"fensterskalieren", flag(c_fensterskalieren.checked())},
                       {L"STYLENAME", currentStyleName_},
                       {L"globaletasten", flag(m_globaletasten.checked())},
                       {L"jinglesgleichlaut", flag(m_gleichlaut.checked())},
                       {L"zweiterdruckblendetaus", flag(m_blendetaus.checked())},
                       {L"ausgabegeraet", deviceId_},
                       {L"ausgabegeraetname", deviceName_}},
                      false});
    if (IPlacedForm* placed = host().placement()) writes.push_back(FormPlacementWrite(*placed));
    if (profile_.writeSections(configFile(), writes)) {
        saveFailureShown_ = false;
        return;
    }
    // One box for a run of failed saves: saves that the open box lets through (its message
    // loop runs the window's timers and messages) and those after it stay silent until a
    // save succeeds again.
    if (saveFailureShown_) return;
    saveFailureShown_ = true;
    warn(MessageType::Warning,
         joinMessage(text(TextId::KonfigNichtGesichert), text(TextId::SchreibgeschuetztOderDoppelt)));
}

}  // namespace kv::ui
