#include "ui/MainUnit.h"

#include "app/strutil.h"
#include "app/syspfadutil_unit.h"
#include "ui/ControlIds.h"
#include "ui/formhook_unit.h"
#include "ui/styleutil_unit.h"

namespace kv::ui {

namespace {

// The two rows of slot buttons inside box_main: J1..J6 above, J7..J12 below.
Rect slotBounds(int index) {
    constexpr int kLeft = 6, kTop = 46, kWidth = 63, kHeight = 26, kStepX = 65, kStepY = 28;
    return {kLeft + (index % 6) * kStepX, kTop + (index / 6) * kStepY, kWidth, kHeight};
}

std::array<Button, TKavintamainform::kSlotCount> makeSlots(const ITexts& texts) {
    auto make = [&](int i) {
        return Button(ids::J1 + i, "J" + std::to_string(i + 1), slotBounds(i), texts.text(TextId::CapSlotDesign));
    };
    return {make(0), make(1), make(2), make(3), make(4), make(5),
            make(6), make(7), make(8), make(9), make(10), make(11)};
}

Font boldFont(int points = 8) { return Font{points, true, kBlack}; }

// Names are the same when KV.ini would file them under one section.
TextEquals sameNameRule(const IProfileFile& profile) {
    return [&profile](const std::wstring& a, const std::wstring& b) { return profile.sameName(a, b); };
}

}  // namespace

TKavintamainform::TKavintamainform(MainformServices services)
    : Label3(ids::Label3, "Label3", {6, 4, 84, 20}, services.texts.text(TextId::CapLabel3)),
      kategorie(ids::kategorie, "kategorie", {92, 4, 198, 21}, services.collation, sameNameRule(services.profile)),
      KAT_neu(ids::KAT_neu, "KAT_neu", {294, 3, 52, 23}, services.texts.text(TextId::CapKatNeu)),
      Kat_loeschen(ids::Kat_loeschen, "Kat_loeschen", {349, 3, 52, 23}, services.texts.text(TextId::CapKatLoeschen)),
      box_main(ids::box_main, "box_main", {2, 28, 399, 93}, services.texts.text(TextId::CapBoxMain)),
      J(makeSlots(services.texts)),
      Label1(ids::Label1, "Label1", {58, 104, 338, 14}, services.texts.text(TextId::CapLabel1)),
      fensterkleingross(ids::fensterkleingross, "fensterkleingross", {4, 106, 47, 13}, ids::GlyphKleinGross),
      Jinglestatus(ids::Jinglestatus, "Jinglestatus", {150, 28, 200, 14}, services.texts.text(TextId::CapJinglestatus)),
      GroupBox2(ids::GroupBox2, "GroupBox2", {2, 124, 399, 214}, services.texts.text(TextId::CapGroupBox2)),
      c_mfade_Zentrix(ids::c_mfade_Zentrix, "c_mfade_Zentrix", {10, 142, 250, 17}, services.texts.text(TextId::CapZentrix)),
      c_mfade_winamp(ids::c_mfade_winamp, "c_mfade_winamp", {10, 160, 250, 17}, services.texts.text(TextId::CapWinamp)),
      c_mfade_mixer(ids::c_mfade_mixer, "c_mfade_mixer", {10, 179, 100, 17}, services.texts.text(TextId::CapMixer)),
      cb_mfade_mixer(ids::cb_mfade_mixer, "cb_mfade_mixer", {112, 177, 282, 21}, services.collation, sameNameRule(services.profile)),
      Panel1(ids::Panel1, "Panel1", {10, 202, 384, 2}),
      auto_fo_mit(ids::auto_fo_mit, "auto_fo_mit", {10, 208, 185, 17}, services.texts.text(TextId::CapFoMit)),
      auto_fo_vor(ids::auto_fo_vor, "auto_fo_vor", {200, 208, 194, 17}, services.texts.text(TextId::CapFoVor)),
      auto_fi(ids::auto_fi, "auto_fi", {10, 227, 185, 17}, services.texts.text(TextId::CapFi)),
      auto_crossfade(ids::auto_crossfade, "auto_crossfade", {200, 227, 194, 17}, services.texts.text(TextId::CapCrossfade)),
      Label5(ids::Label5, "Label5", {10, 251, 96, 14}, services.texts.text(TextId::CapLabel5)),
      jingleendezeit(ids::jingleendezeit, "jingleendezeit", {108, 248, 66, 21}, 0, 0, 0),
      Label4(ids::Label4, "Label4", {180, 251, 214, 14}, services.texts.text(TextId::CapLabel4)),
      Label6(ids::Label6, "Label6", {10, 280, 92, 14}, services.texts.text(TextId::CapLabel6)),
      Fadeoutpos(ids::Fadeoutpos, "Fadeoutpos", {100, 274, 294, 28}, 0, 100, 0),
      jingletimereinaus(ids::jingletimereinaus, "jingletimereinaus", {10, 308, 196, 17}, services.texts.text(TextId::CapJingletimer)),
      jingletimerval(ids::jingletimerval, "jingletimerval", {208, 306, 50, 21}, 1, 999, 30),
      Label8(ids::Label8, "Label8", {262, 309, 44, 14}, services.texts.text(TextId::CapLabel8)),
      l_jingletimer(ids::l_jingletimer, "l_jingletimer", {308, 309, 86, 14}, services.texts.text(TextId::CapLJingletimer)),
      Label9(ids::Label9, "Label9", {26, 322, 368, 14}, services.texts.text(TextId::CapLabel9)),
      c_fensterimvordergrund(ids::c_fensterimvordergrund, "c_fensterimvordergrund", {10, 344, 300, 17}, services.texts.text(TextId::CapVordergrund)),
      c_fensterskalieren(ids::c_fensterskalieren, "c_fensterskalieren", {10, 363, 300, 17}, services.texts.text(TextId::CapSkalieren)),
      B_lng_DE(ids::B_lng_DE, "B_lng_DE", {330, 343, 30, 20}, ids::GlyphFlagDE),
      B_lng_EN(ids::B_lng_EN, "B_lng_EN", {366, 343, 30, 20}, ids::GlyphFlagEN),
      Label2(ids::Label2, "Label2", {10, 392, 44, 14}, services.texts.text(TextId::CapLabel2)),
      cbStyle(ids::cbStyle, "cbStyle", {56, 388, 196, 21}, services.collation, sameNameRule(services.profile)),
      b_styleanwenden(ids::b_styleanwenden, "b_styleanwenden", {258, 387, 70, 23}, services.texts.text(TextId::CapAnwenden)),
      B_info(ids::B_info, "B_info", {332, 387, 64, 23}, services.texts.text(TextId::CapInfo)),
      Label7(ids::Label7, "Label7", {10, 420, 60, 14}, services.texts.text(TextId::CapLabel7)),
      datenpfadlabel(ids::datenpfadlabel, "datenpfadlabel", {72, 420, 326, 28}, services.texts.text(TextId::CapDatenpfad)),
      StatusBarMain(ids::StatusBarMain, "StatusBarMain", {0, kClientHeight - 19, kClientWidth, 19}, 300),
      m_globaletasten("m_globaletasten", services.texts.text(TextId::MenuGlobaleTasten)),
      m_gleichlaut("m_gleichlaut", services.texts.text(TextId::MenuGleichLaut)),
      m_blendetaus("m_blendetaus", services.texts.text(TextId::MenuBlendetAus)),
      m_ausgabegeraet("m_ausgabegeraet", services.texts.text(TextId::MenuAusgabegeraet)),
      starttimer(ids::starttimer, "starttimer", 100, true),
      playerstatustimer(ids::playerstatustimer, "playerstatustimer", 77, false),
      jingletimer(ids::jingletimer, "jingletimer", 999999, false),
      s_(services) {
    Label3.setFont(boldFont(12));
    box_main.setFont(boldFont());
    Label1.setFont(boldFont());
    Jinglestatus.setFont(boldFont());
    GroupBox2.setFont(boldFont());
    datenpfadlabel.setFontColor(kNavy);
    // The glyph buttons show no text; their text is what screen readers call them.
    fensterkleingross.setText(services.texts.text(TextId::NameFensterKleinGross));
    B_lng_DE.setText(services.texts.text(TextId::NameDeutsch));
    B_lng_EN.setText(services.texts.text(TextId::NameEnglish));
    for (Button& b : J) b.setShowHint(true);
    RadioButton::group({&c_mfade_Zentrix, &c_mfade_winamp, &c_mfade_mixer});
    bindEvents();
}

void TKavintamainform::bindEvents() {
    kategorie.onChange = [this] { kategorieChange(); };
    KAT_neu.onClick = [this](Button&) { KAT_neuClick(); };
    Kat_loeschen.onClick = [this](Button&) { Kat_loeschenClick(); };
    for (Button& b : J) {
        b.onClick = [this](Button& sender) { JingleButtonClick(sender); };
        b.onMouseDown = [this](Button& sender, MouseButton mb) { JingleButtonMouseDown(sender, mb); };
    }
    c_mfade_Zentrix.onClick = [this] { c_mfade_Click(); };
    c_mfade_winamp.onClick = [this] { c_mfade_Click(); };
    c_mfade_mixer.onClick = [this] { c_mfade_Click(); };
    cb_mfade_mixer.onDropDown = [this] { cb_mfade_mixerDropDown(); };
    auto_fo_mit.onClick = [this] { auto_fo_mitClick(); };
    auto_fo_vor.onClick = [this] { auto_fo_vorClick(); };
    auto_fi.onClick = [this] { auto_fiClick(); };
    auto_crossfade.onClick = [this] { auto_crossfadeClick(); };
    jingleendezeit.onChange = [this] { jingleendezeitChange(); };
    Fadeoutpos.onChange = [this] { FadeoutposChange(); };
    jingletimereinaus.onClick = [this] { jingletimereinausClick(); };
    jingletimerval.onChange = [this] { jingletimervalChange(); };
    c_fensterimvordergrund.onClick = [this] { c_fensterimvordergrundClick(); };
    c_fensterskalieren.onClick = [this] { c_fensterskalierenClick(); };
    B_lng_DE.onClick = [this](Button&) { B_lng_DEClick(); };
    B_lng_EN.onClick = [this](Button&) { B_lng_ENClick(); };
    fensterkleingross.onClick = [this](Button&) { fensterkleingrossClick(); };
    B_info.onClick = [this](Button&) { B_infoClick(); };
    b_styleanwenden.onClick = [this](Button&) { b_styleanwendenClick(); };
    m_globaletasten.onClick = [this] { m_globaletastenClick(); };
    m_gleichlaut.onClick = [this] { m_gleichlautClick(); };
    m_ausgabegeraet.onOpening = [this] { m_ausgabegeraetOpening(); };
    m_ausgabegeraet.onChange = [this] { m_ausgabegeraetChange(); };
    starttimer.onTimer = [this] { starttimerTimer(); };
    playerstatustimer.onTimer = [this] { playerstatustimerTimer(); };
    jingletimer.onTimer = [this] { jingletimerTimer(); };
    s_.rcform.setNotRestoredHandler([this](const remote::NotRestored& failure) { showNotRestored(failure); });
}

std::vector<Control*> TKavintamainform::controls() {
    std::vector<Control*> all{&Label3, &kategorie, &KAT_neu, &Kat_loeschen, &box_main};
    for (Button& b : J) all.push_back(&b);
    for (Control* c : std::initializer_list<Control*>{
             &Label1, &fensterkleingross, &Jinglestatus, &GroupBox2, &c_mfade_Zentrix, &c_mfade_winamp,
             &c_mfade_mixer, &cb_mfade_mixer, &Panel1, &auto_fo_mit, &auto_fo_vor, &auto_fi,
             &auto_crossfade, &Label5, &jingleendezeit, &Label4, &Label6, &Fadeoutpos,
             &jingletimereinaus, &jingletimerval, &Label8, &l_jingletimer, &Label9,
             &c_fensterimvordergrund, &c_fensterskalieren, &B_lng_DE, &B_lng_EN, &Label2, &cbStyle,
             &b_styleanwenden, &B_info, &Label7, &datenpfadlabel, &StatusBarMain})
        all.push_back(c);
    return all;
}

std::vector<Timer*> TKavintamainform::timers() {
    return {&starttimer, &playerstatustimer, &jingletimer};
}

namespace {
class NullFormHost final : public IFormHost {
public:
    void setCaption(const std::wstring&) override {}
    bool isVisible() const override { return false; }
    void setTopmost(bool) override {}
    int clientHeight() const override { return TKavintamainform::kClientHeight; }
    void setClientHeight(int) override {}
    int outerHeight() const override { return TKavintamainform::kClientHeight; }
    void requestTerminate() override {}
    void repaintNow() override {}
    void beginUpdate() override {}
    void endUpdate() override {}
};
}  // namespace

TextEquals TKavintamainform::sameName() const { return sameNameRule(s_.profile); }

IFormHost& TKavintamainform::host() {
    static NullFormHost none;
    return host_ ? *host_ : none;
}

void TKavintamainform::FormCreate() {
    fMixerList.reset();
    versionText_ = GetAppVersionStr(s_.version, s_.dialogs, s_.texts) + L" 64Bit";
    caption_ = text(TextId::CapMainform) + L" v" + versionText_ + text(TextId::HerstellerHinweis);
    host().setCaption(caption_);
    loading_ = false;
    fullClientHeight_ = host().clientHeight();
    lastRandomSlot_ = -1;

    const DataPathServices paths{s_.environment, s_.files, s_.dialogs, s_.texts};
    std::wstring folder = GetDataPath(paths, kProductFolder, true);
    if (isBlank(folder)) {
        warn(MessageType::Information, text(TextId::DatenpfadNichtGefunden));
        terminated_ = true;
        host().requestTerminate();
        return;
    }
    datapath_ = withTrailingBackslash(folder);
    datenpfadlabel.setText(datapath_);
    s_.rcform.attachDuckStore(&duckRecords_);

    konfigladenkategorien();
    // Always the designed size (never the compact one): only state, monitor and position
    // come back.
    if (IPlacedForm* placed = host().placement(); placed && host().monitors()) {
        const Rect r = placed->bounds();
        RestoreFormPlacement(profile_, *host().monitors(), configFile(), *placed, r.width, r.height, true);
    }
    TFormHook::SetFormScaleable(c_fensterskalieren.checked());
    SetStyle(currentStyleName_);
    cbStyle.clear();
    for (const std::wstring& name : StyleNameList(s_.styles.names(), sameName())) cbStyle.addItem(name);
    cbStyle.setItemIndex(cbStyle.indexOf(currentStyleName_, true));
    starttimer.setEnabled(true);
}

void TKavintamainform::starttimerTimer() {
    starttimer.setEnabled(false);
    s_.rcform.restoreLeftOver();  // what a crash left turned down
    showFirstCategory();
    startShown_ = true;
    runRemoteCommands();  // those that came during the start
}

void TKavintamainform::showFirstCategory() {
    if (kategorie.count() < 1) return;
    const FormUpdate paintedOnce(host());  // the selection shows together with what it loads
    kategorie.setItemIndex(0);
    kategorieChange();
}

// Every player still turned down is brought back before the window goes.
void TKavintamainform::FormCloseQuery() {
    s_.player.close();
    s_.rcform.restoreNow();
    konfigspeichern();
}

void TKavintamainform::FormClose() {
    fMixerList.reset();
    releaseGlobalKeys();  // the option stays as saved; the keys are free for others
}

void TKavintamainform::c_fensterimvordergrundClick() {
    host().setTopmost(c_fensterimvordergrund.checked());
}

void TKavintamainform::c_fensterskalierenClick() {
    if (host().isVisible()) warn(MessageType::Information, text(TextId::SkalierungNachNeustart));
}

// The heights are design pixels, which the window scales to its own; the threshold is scaled
// likewise, so that the compact window always counts as compact and a second press restores.
void TKavintamainform::fensterkleingrossClick() {
    const int threshold = kCompactThreshold * host().pixelsPerInch() / 96;
    if (host().outerHeight() > threshold)
        host().setClientHeight(box_main.bounds().bottom() + StatusBarMain.bounds().height + 1);
    else
        host().setClientHeight(fullClientHeight_);
}

std::wstring TKavintamainform::infoText() const {
    const std::wstring lfcr = L"\n\r";
    return caption_ + lfcr + lfcr + text(TextId::AutorName) + lfcr + text(TextId::AutorWeb) + lfcr +
           text(TextId::AutorMail);
}

void TKavintamainform::B_infoClick() { warn(MessageType::Information, infoText()); }

bool TKavintamainform::categoryExists() const {
    return !isBlank(kategorie.text());
}

}  // namespace kv::ui

namespace kv::ui {

// A name no look has, or one that cannot be switched to, leaves the look and the glyphs
// as they are, silently.
void TKavintamainform::SetStyle(const std::wstring& styleName) {
    if (styleName.empty() || styleName == s_.styles.activeName()) return;
    if (!s_.styles.switchTo(styleName)) return;
    RecolorFormGlyphs(controls(), StyleGlyphColor(s_.styles, s_.systemButtonText()));
}

// The choice reaches KV.ini with the next save, not at once.
void TKavintamainform::b_styleanwendenClick() {
    const int index = cbStyle.itemIndex();
    if (index < 0) return;
    const std::wstring entry = cbStyle.item(index);
    if (entry == kStyleSeparator) return;
    currentStyleName_ = entry;
    SetStyle(entry);
}

}  // namespace kv::ui
