// The configuration file KV.ini: the category list and window-wide settings, loading the
// current category into the window, and the one save operation.
#include <string>

#include "app/ScopedFlag.h"
#include "app/strutil.h"
#include "library/IniFile.h"
#include "library/configaccess.h"
#include "library/duckrecords.h"
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
    for (const wchar_t* hidden : {kConfigSection, kDuckSection}) {
        const int index = kategorie.indexOf(hidden, true);
        if (index >= 0) kategorie.deleteItem(index);
    }
    for (int i = kategorie.count() - 1; i >= 0; --i)
        if (isPlacementSection(kategorie.item(i))) kategorie.deleteItem(i);
    kategorie.setSorted(true);

    c_fensterimvordergrund.setChecked(ini.readBool(kConfigSection, L"fensterimvordergrund", false));
    c_fensterskalieren.setChecked(ini.readBool(kConfigSection, L"fensterskalieren", true));
    currentStyleName_ = ini.readString(kConfigSection, L"STYLENAME", kDefaultStyle);
    m_globaletasten.setChecked(ini.readBool(kConfigSection, L"globaletasten", false));
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
    if (isBlank(name)) return;  // nothing to load
    // One read of the whole section: every key of the category is needed.
    const IniSection ini = IniFile(profile_, configFile()).section(name);
    const std::wstring unbelegt = text(TextId::Unbelegt);
    for (int n = 1; n <= kSlotCount; ++n) {
        slot(n).setText(ini.readString(textKey(n), unbelegt));
        slot(n).setHint(ini.readString(jingleKey(n), L""));
    }
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

void TKavintamainform::konfigspeichern() {
    if (loading_) return;
    IniFile ini(profile_, configFile());
    const std::wstring name = kategorie.text();
    auto writeAll = [&]() -> bool {
        if (!isBlank(name)) {
            for (int n = 1; n <= kSlotCount; ++n) {
                if (!ini.writeString(name, textKey(n), slot(n).text())) return false;
                if (!ini.writeString(name, jingleKey(n), slot(n).hint())) return false;
            }
            if (!ini.writeBool(name, L"zentrixfadeoutin", c_mfade_Zentrix.checked()) ||
                !ini.writeBool(name, L"winampfadeoutin", c_mfade_winamp.checked()) ||
                !ini.writeBool(name, L"mixerfadeoutin", c_mfade_mixer.checked()) ||
                !ini.writeString(name, L"mixerfadeoutin_name", cb_mfade_mixer.text()) ||
                !ini.writeBool(name, L"fo1", auto_fo_vor.checked()) ||
                !ini.writeBool(name, L"fo2", auto_fo_mit.checked()) ||
                !ini.writeBool(name, L"fi", auto_fi.checked()) ||
                !ini.writeBool(name, L"cf", auto_crossfade.checked()) ||
                !ini.writeInteger(name, L"fopos", Fadeoutpos.position()) ||
                !ini.writeInteger(name, L"jingleendezeit", jingleendezeit.value()) ||
                !ini.writeBool(name, L"jingletimereinaus", jingletimereinaus.checked()) ||
                !ini.writeInteger(name, L"jingletimerval", jingletimerval.value()))
                return false;
        }
        return ini.writeBool(kConfigSection, L"fensterimvordergrund", c_fensterimvordergrund.checked()) &&
               ini.writeBool(kConfigSection, L"fensterskalieren", c_fensterskalieren.checked()) &&
               ini.writeString(kConfigSection, L"STYLENAME", currentStyleName_) &&
               ini.writeBool(kConfigSection, L"globaletasten", m_globaletasten.checked());
    };
    if (!writeAll())
        warn(MessageType::Warning,
             joinMessage(text(TextId::KonfigNichtGesichert), text(TextId::SchreibgeschuetztOderDoppelt)));
    // After the warning and whatever it reported: the placement goes to the same file.
    if (IPlacedForm* placed = host().placement())
        if (!SaveFormPlacement(profile_, configFile(), *placed))
            warn(MessageType::Error, formatText(text(TextId::KannNichtSchreiben), configFile()));
}

}  // namespace kv::ui
