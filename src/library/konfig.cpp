// The configuration file KV.ini: the category list and window-wide settings, loading the
// current category into the window, and the one save operation.
#include <string>

#include "app/strutil.h"
#include "library/IniFile.h"
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
    const IniFile ini(s_.profile, configFile());
    kategorie.setSorted(false);
    kategorie.setItemIndex(-1);
    kategorie.clear();
    for (const std::wstring& section : ini.sections()) kategorie.addItem(section);
    const int konfig = kategorie.indexOf(kConfigSection, true);
    if (konfig >= 0) kategorie.deleteItem(konfig);
    for (int i = kategorie.count() - 1; i >= 0; --i)
        if (isPlacementSection(kategorie.item(i))) kategorie.deleteItem(i);
    kategorie.setSorted(true);

    c_fensterimvordergrund.setChecked(ini.readBool(kConfigSection, L"fensterimvordergrund", false));
    c_fensterskalieren.setChecked(ini.readBool(kConfigSection, L"fensterskalieren", true));
    currentStyleName_ = ini.readString(kConfigSection, L"STYLENAME", kDefaultStyle);
}

void TKavintamainform::konfigladenjingles() {
    const FormUpdate paintedOnce(host());  // some forty controls change here
    loading_ = true;
    for (Button& b : J) {
        b.setFont(Font{});
        b.setMarker(L"");
        b.setText(L"");
        b.setHint(L"");
    }
    const std::wstring name = kategorie.text();
    if (isBlank(name)) {
        // Nothing to load; saving must not stay blocked, or KONFIG would never be written again.
        loading_ = false;
        return;
    }
    // One read of the whole section: every key of the category is needed.
    const IniSection ini = IniFile(s_.profile, configFile()).section(name);
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
    loading_ = false;
}

void TKavintamainform::konfigspeichern() {
    if (loading_) return;
    IniFile ini(s_.profile, configFile());
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
               ini.writeString(kConfigSection, L"STYLENAME", currentStyleName_);
    };
    if (!writeAll())
        warn(MessageType::Warning,
             joinMessage(text(TextId::KonfigNichtGesichert), text(TextId::SchreibgeschuetztOderDoppelt)));
    // The window placement section is written here, after KONFIG, once placement is restored.
}

}  // namespace kv::ui
