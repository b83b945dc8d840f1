#pragma once
// Child-window ids of the main window's controls and its timer ids. The end-to-end
// driver finds the controls by these numbers.
namespace kv::ui::ids {

enum : int {
    Label3 = 100,
    kategorie,
    KAT_neu,
    Kat_loeschen,
    box_main,
    Label1,
    fensterkleingross,
    Jinglestatus,
    GroupBox2,
    c_mfade_Zentrix,
    c_mfade_winamp,
    c_mfade_mixer,
    cb_mfade_mixer,
    Panel1,
    auto_fo_mit,
    auto_fo_vor,
    auto_fi,
    auto_crossfade,
    Label5,
    jingleendezeit,
    Label4,
    Label6,
    Fadeoutpos,
    jingletimereinaus,
    jingletimerval,
    Label8,
    l_jingletimer,
    Label9,
    c_fensterimvordergrund,
    c_fensterskalieren,
    B_lng_DE,
    B_lng_EN,
    Label2,
    cbStyle,
    b_styleanwenden,
    B_info,
    Label7,
    datenpfadlabel,
    StatusBarMain,
    J1 = 201,  // J1 ... J12 are 201 ... 212
    J12 = 212,
};

enum : int { starttimer = 1, playerstatustimer = 2, jingletimer = 3 };

// Commands of the window menu's own items: multiples of 16 below 0xF000, as the system
// uses the low four bits of WM_SYSCOMMAND's wParam and the range above for its own.
enum : int { SysGlobaleTasten = 0x4010, SysGleichLaut = 0x4020, SysBlendetAus = 0x4030 };
// The items of the output device submenu: SysAusgabegeraet + 16 * index.
enum : int { SysAusgabegeraet = 0x4100 };

// Glyph bitmaps (resources of the executable).
enum : int { GlyphKleinGross = 301, GlyphFlagDE = 302, GlyphFlagEN = 303 };

}  // namespace kv::ui::ids
