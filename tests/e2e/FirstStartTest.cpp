// First start with empty data folders: the per-user data folder is created, no category
// is listed, the slots keep "- -", and closing writes the KONFIG section.
#include "E2eFixture.h"

namespace kv::e2e {
namespace {

class FirstStart : public E2eTest {};

TEST_F(FirstStart, CreatesDataFolderAndShowsNoCategory) {
    ASSERT_FALSE(folderExists(dataFolder()));
    KavintaWindow window = startMain(standardData());
    ASSERT_NE(window.hwnd(), nullptr);

    EXPECT_TRUE(folderExists(dataFolder()));
    EXPECT_TRUE(folderEntries(root() / L"allusers").empty()) << "the all-users base was touched";
    EXPECT_EQ(window.text(ids::datenpfadlabel), dataFolder() + L"\\");

    const std::wstring caption = window.caption();
    EXPECT_EQ(caption.rfind(L"Kavinta v", 0), 0u) << narrow(caption);
    const auto bits = caption.find(L" 64Bit");
    ASSERT_NE(bits, std::wstring::npos) << narrow(caption);
    EXPECT_LT(caption.find(L" v"), bits);

    Sleep(600);  // well past the start timer: still nothing to select
    EXPECT_TRUE(window.categories().empty());
    EXPECT_EQ(window.categoryIndex(), -1);
    EXPECT_EQ(window.slotCaptions(), std::vector<std::wstring>(12, L"- -"));

    const auto styles = comboItems(window.control(ids::cbStyle));
    ASSERT_EQ(styles.size(), 41u);
    EXPECT_EQ(styles[0], L"Windows");
    EXPECT_EQ(styles[1], L"------------");
    EXPECT_EQ(comboSelectedText(window.control(ids::cbStyle)), L"Windows");

    EXPECT_FALSE(window.checked(ids::c_fensterimvordergrund));
    EXPECT_TRUE(window.checked(ids::c_fensterskalieren));

    // Nothing saves at start: the write test leaves no file, KV.ini comes with the close.
    EXPECT_TRUE(folderEntries(dataFolder()).empty());
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(FirstStart, ControlsShowTheirDesignCaptions) {
    KavintaWindow window = startMain(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const std::vector<std::pair<int, std::wstring>> captions = {
        {ids::Label3, L"Kategorie"},
        {ids::KAT_neu, L"neu"},
        {ids::Kat_loeschen, L"entf."},
        {ids::box_main, L"Jingles F1 - F12"},
        {ids::Label1, L"Belegen der Buttons mit der rechten Maustaste möglich."},
        {ids::Jinglestatus, L"(- -)"},
        {ids::GroupBox2, L"Konfiguration und Player Anbindung"},
        {ids::c_mfade_Zentrix, L"über Tribolo (1/2 Playerbetrieb)"},
        {ids::c_mfade_winamp, L"Winamp (direkt)"},
        {ids::c_mfade_mixer, L"Windows Mixer"},
        {ids::auto_fo_mit, L"Fadeout mit Jingle"},
        {ids::auto_fo_vor, L"Fadeout vor Jingle"},
        {ids::auto_fi, L"Fadein nach/mit Jingleende"},
        {ids::auto_crossfade, L"Crossfade+Aktionen nach Jingle"},
        {ids::Label5, L"Fadein/Crossfade "},
        {ids::Label4, L"ms vor dem Jingleende ausführen"},
        {ids::Label6, L"Fadeout bis Pos:"},
        {ids::jingletimereinaus, L"zufälliges Jingle einspielen aller "},
        {ids::Label8, L"Minuten"},
        {ids::l_jingletimer, L"(  )"},
        {ids::Label9, L"(möglichst alle Jinglebuttons belegen für diese Funktion)"},
        {ids::c_fensterimvordergrund, L"Dieses Fenster immer im Vordergrund halten"},
        {ids::c_fensterskalieren, L"Dieses Fenster skalieren (Hochauflösende Monitore)"},
        {ids::Label2, L"Design:"},
        {ids::b_styleanwenden, L"anwenden"},
        {ids::B_info, L"Info"},
        {ids::Label7, L"Datenpfad:"},
    };
    for (const auto& [id, caption] : captions) EXPECT_EQ(window.text(id), caption) << "control " << id;
    EXPECT_EQ(window.text(ids::jingleendezeit), L"0");
    EXPECT_EQ(window.text(ids::jingletimerval), L"30");
    EXPECT_EQ(trackBarPosition(window.control(ids::Fadeoutpos)), 0);
    EXPECT_EQ(className(window.control(ids::Fadeoutpos)), L"msctls_trackbar32");
    EXPECT_EQ(className(window.control(ids::StatusBarMain)), L"msctls_statusbar32");
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

TEST_F(FirstStart, CloseWritesKonfigAsUtf16File) {
    KavintaWindow window = startMain(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    Sleep(300);
    screenshot(window.hwnd());
    ASSERT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));

    const auto bytes = readFileBytes(iniPath());
    ASSERT_TRUE(bytes.has_value()) << "KV.ini not written at close";
    const IniSnapshot ini = IniSnapshot::parse(*bytes);
    EXPECT_EQ(ini.encoding(), TextEncoding::Utf16Le);

    EXPECT_EQ(ini.keys(L"KONFIG"), kKonfigKeys);
    EXPECT_EQ(ini.value(L"KONFIG", L"fensterimvordergrund"), L"0");
    EXPECT_EQ(ini.value(L"KONFIG", L"fensterskalieren"), L"1");
    EXPECT_EQ(ini.value(L"KONFIG", L"STYLENAME"), L"Windows");
    EXPECT_EQ(ini.value(L"KONFIG", L"globaletasten"), L"0");
    EXPECT_EQ(ini.value(L"KONFIG", L"jinglesgleichlaut"), L"0");
    EXPECT_EQ(ini.value(L"KONFIG", L"zweiterdruckblendetaus"), L"0");
    EXPECT_EQ(ini.value(L"KONFIG", L"ausgabegeraet"), L"");
    // With no category only KONFIG and the window placement are written.
    for (const auto& name : ini.sectionNames()) {
        const bool allowed = equalsIgnoreCase(name, L"KONFIG") || equalsIgnoreCase(name.substr(0, 5), L"FORM_");
        EXPECT_TRUE(allowed) << "unexpected section [" << narrow(name) << "]";
    }
    EXPECT_FALSE(fileExists(dataFolder() + L"\\schreibtest.debug"));
}

}  // namespace
}  // namespace kv::e2e
