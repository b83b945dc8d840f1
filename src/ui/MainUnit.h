#pragma once
// The main window TKavintamainform: its controls and the handlers that serve them.
// The handlers of the jingle library and of playback are defined in src/library and
// src/playback; this file declares the whole window.
#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Clock.h"
#include "app/commandline.h"
#include "app/FileLock.h"
#include "app/FileSystem.h"
#include "app/os_api_unit.h"
#include "library/ProfileFile.h"
#include "library/duckrecords.h"
#include "library/SessionProfile.h"
#include "playback/JingleEngine.h"
#include "playback/MediaKinds.h"
#include "playback/MediaPlayer.h"
#include "playback/SlotLoudness.h"
#include "remote/FadeController.h"
#include "app/Dialogs.h"
#include "app/Registry.h"
#include "ui/FormHost.h"
#include "app/Texts.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComboBox.h"
#include "ui/controls/Control.h"
#include "ui/controls/MenuChoice.h"
#include "ui/controls/MenuItem.h"
#include "ui/controls/Timer.h"
#include "ui/controls/ValueControls.h"
#include "ui/HotKeys.h"
#include "ui/StyleEngine.h"

namespace kv::ui {

// The platform services the main window works with.
struct MainformServices {
    const ITexts& texts;
    IDialogs& dialogs;
    IProfileFile& profile;
    IFileSystem& files;
    const IEnvironment& environment;
    IMediaPlayer& player;
    const IClock& clock;
    IRandom& random;
    const IVersionSource& version;
    TextCompare collation = compareTextIgnoreCase;
    remote::IFadeController& rcform = remote::noFadeController();  // the fade controller
    IRegistry& registry = noRegistry();  // the current user's, for the interface language
    std::wstring executablePath = {};    // full path of the running program file
    IStyleEngine& styles = systemLookOnly();  // the looks and the active one
    // The system's button text colour: the glyph colour when the active look reports none.
    std::function<ColorValue()> systemButtonText = [] { return colorValue(0, 0, 0); };
    // The extensions the system names a media device for, besides those every Windows plays.
    const IMciExtensions& mciExtensions = noMciExtensions();
    // The locks of KV.ini's and KVLOG.LOG's files, shared with other copies of the program.
    IFileLocks& fileLocks = unsharedFiles();
    // The program's own engine behind `player`: preloading, gain, soft stop, output device.
    IJingleEngine& engine = noJingleEngine();
};

// The mixer listing: display name = GUID text pairs, in listing order.
using MixerList = mixer::MixerList;

class TKavintamainform {
public:
    static constexpr int kSlotCount = 12;
    static constexpr int kClientWidth = 403;
    static constexpr int kClientHeight = 471;
    static constexpr const wchar_t* kConfigFileName = L"KV.ini";
    static constexpr const wchar_t* kProductFolder = L"Kavinta";
    static constexpr const wchar_t* kConfigSection = L"KONFIG";
    static constexpr const wchar_t* kDefaultStyle = L"Windows";
    // Sections of KV.ini that hold settings, not a category: never listed, and no category
    // takes their names.
    static constexpr const wchar_t* kHiddenSections[] = {kConfigSection, kDuckSection};

    explicit TKavintamainform(MainformServices services);
    TKavintamainform(const TKavintamainform&) = delete;
    TKavintamainform& operator=(const TKavintamainform&) = delete;

    // The backend attaches the window that realises the form before FormCreate runs.
    void attachHost(IFormHost* host) { host_ = host; }

    // Every control, in creation (tab) order, and every timer, for the backend.
    std::vector<Control*> controls();
    std::vector<Timer*> timers();

    // --- Window life cycle
    void FormCreate();
    void starttimerTimer();
    void FormCloseQuery();
    void FormClose();

    // --- Configuration file and category model
    void konfigladenkategorien();
    void konfigladenjingles();
    void konfigspeichern();

    // --- Categories and slot assignment
    void KAT_neuClick();
    void kategorieChange();
    void Kat_loeschenClick();
    void JingleButtonMouseDown(Button& sender, MouseButton button);
    // Files dropped onto a slot button (full paths, in the order the source gives them).
    void JingleButtonDragDrop(Button& target, const std::vector<std::wstring>& paths);
    // The slot (1 ... 12) whose button holds the point (design pixels of the client area),
    // 0 for none.
    int slotAt(int x, int y) const;

    // --- Playback
    void JingleButtonClick(Button& sender);
    void SCExecute(int slot);  // SC1Execute ... SC12Execute: F1 ... F12, slot 1 ... 12
    void playjingle(const std::wstring& datei);
    // F1 ... F12 as system-wide hot keys: the window menu's item turns them on and off, and
    // a hot key fires its slot as the window's own key does.
    void m_globaletastenClick();
    void globalHotKey(int slot);
    // The playback options of the window menu: each jingle at one loudness (its measured
    // gain set at the press), a second press that fades out, and the output device.
    void m_gleichlautClick();
    void m_ausgabegeraetOpening();  // the device list brought up to date
    void m_ausgabegeraetChange();
    // Measurements that came back from the engine's worker thread; the window calls this
    // on its own thread when the inbox's wake has posted.
    void loudnessMeasured();
    // The measurement of slot n (1 ... 12) as the form keeps it; nothing when none.
    const std::optional<SlotLoudness>& slotLoudness(int n) const { return loudness_.at(static_cast<size_t>(n - 1)); }
    void playerstatustimerTimer();
    void dolog(const std::wstring& jingle);

    // --- Commands from other programs ("/play N", "/stop")
    // Takes a command for later; false when kMaxQueuedCommands wait already. The window
    // runs the queue once the message that brought the command is answered; commands that
    // come before the start timer has shown the first category wait for it.
    bool queueRemoteCommand(const RemoteCommand& command);
    void runRemoteCommands();
    static constexpr std::size_t kMaxQueuedCommands = 8;

    // --- Random jingle
    void jingletimersetup();
    void jingletimerTimer();
    void jingletimereinausClick();
    void jingletimervalChange();

    // --- Fade options
    void auto_fo_vorClick();
    void auto_fo_mitClick();
    void auto_fiClick();
    void auto_crossfadeClick();
    void c_mfade_Click();
    void FadeoutposChange();
    void jingleendezeitChange();
    // The two calls into the fade controller around a jingle: the fade-out (before the
    // jingle with blocking = true, with it with blocking = false) for the player interface
    // that is on, and the end-of-jingle action: the fade-in goes to the players that were
    // turned down, whatever the options say by then; a cross-fade follows the options.
    void fadeoutDispatch(bool blocking);
    void endOfJingleDispatch();
    void domixerfadeout(bool warten);
    void cb_mfade_mixerDropDown();
    const std::optional<MixerList>& mixerList() const { return fMixerList; }

    // --- Appearance and window options
    void SetStyle(const std::wstring& styleName);
    void b_styleanwendenClick();
    void c_fensterimvordergrundClick();
    void c_fensterskalierenClick();
    // The interface language for the next start; a failed registry write is not caught.
    void B_lng_DEClick();
    void B_lng_ENClick();
    void fensterkleingrossClick();
    void B_infoClick();
    std::wstring infoText() const;
    static constexpr int kCompactThreshold = 200;  // outer height at 96 PPI

    // --- State
    const ITexts& texts() const { return s_.texts; }  // the active language's
    const std::wstring& dataPath() const { return datapath_; }
    const std::wstring& versionText() const { return versionText_; }
    const std::wstring& caption() const { return caption_; }
    bool loading() const { return loading_; }
    const std::wstring& currentStyleName() const { return currentStyleName_; }
    bool terminated() const { return terminated_; }
    std::wstring configFile() const { return datapath_ + kConfigFileName; }
    Button& slot(int n) { return J.at(static_cast<size_t>(n - 1)); }

    // --- Controls, named as on the window
    Label Label3;
    ComboBox kategorie;
    Button KAT_neu;
    Button Kat_loeschen;
    GroupBox box_main;
    std::array<Button, kSlotCount> J;
    Label Label1;
    SpeedButton fensterkleingross;
    Label Jinglestatus;
    GroupBox GroupBox2;
    RadioButton c_mfade_Zentrix;
    RadioButton c_mfade_winamp;
    RadioButton c_mfade_mixer;
    ComboBox cb_mfade_mixer;
    Panel Panel1;
    CheckBox auto_fo_mit;
    CheckBox auto_fo_vor;
    CheckBox auto_fi;
    CheckBox auto_crossfade;
    Label Label5;
    SpinEdit jingleendezeit;
    Label Label4;
    Label Label6;
    TrackBar Fadeoutpos;
    CheckBox jingletimereinaus;
    SpinEdit jingletimerval;
    Label Label8;
    Label l_jingletimer;
    Label Label9;
    CheckBox c_fensterimvordergrund;
    CheckBox c_fensterskalieren;
    SpeedButton B_lng_DE;
    SpeedButton B_lng_EN;
    Label Label2;
    ComboBox cbStyle;
    Button b_styleanwenden;
    Button B_info;
    Label Label7;
    Label datenpfadlabel;
    StatusBar StatusBarMain;
    MenuItem m_globaletasten;  // in the window menu: "F1–F12 auch in anderen Programmen"
    MenuItem m_gleichlaut;     // "Jingles gleich laut"
    MenuItem m_blendetaus;     // "Zweiter Druck blendet aus"
    MenuChoice m_ausgabegeraet;  // "Ausgabegerät": the default device, then every active one

    Timer starttimer;
    Timer playerstatustimer;
    Timer jingletimer;

private:
    std::wstring text(TextId id) const { return s_.texts.text(id); }
    void warn(MessageType type, const std::wstring& message) { s_.dialogs.showMessage(type, message); }
    IFormHost& host();
    TextEquals sameName() const;  // the one rule for names ignoring case: KV.ini's
    void bindEvents();
    void chooseLanguage(const std::wstring& code);
    void setStatusError(const std::wstring& message);
    void markPlaying(Button& slotButton);
    bool startJingle(const std::wstring& datei);
    void preloadSlots();
    void refuseCombination();
    void showNotRestored(const remote::NotRestored& failure);
    void showFirstCategory();
    void runRemoteCommand(const RemoteCommand& command);
    bool categoryExists() const;
    void releaseGlobalKeys();
    void assignDropped(Button& target, const std::wstring& file, const std::wstring& caption);
    void assignDroppedInOrder(Button& first, const std::vector<std::wstring>& files,
                              std::vector<std::wstring>& notices);
    std::pair<std::wstring, std::wstring> chosenMixerSession() const;
    IniEntries categoryValues();
    void stopPlayingJingle();
    void applyLoudness(const std::wstring& datei);
    void measureShownCategory();
    void measureSlot(int n);
    bool measurementCurrent(int n) const;
    void loadSlotLoudness(const IniSection& section);
    void chooseOutputDevice(const std::wstring& id, const std::wstring& name);
    void fillDeviceMenu();

    MainformServices s_;
    SessionProfile profile_{s_.profile};  // KV.ini as this run reads and writes it
    IFormHost* host_ = nullptr;

    std::wstring datapath_;
    std::wstring versionText_;
    std::wstring caption_;
    bool loading_ = false;
    bool saveFailureShown_ = false;  // a failed save was reported; cleared by the next good one
    bool terminated_ = false;
    int fullClientHeight_ = kClientHeight;
    int lastRandomSlot_ = -1;
    double lastFireTime_ = 0;
    std::wstring currentStyleName_ = kDefaultStyle;
    std::optional<MixerList> fMixerList;
    int lastPressedSlot_ = 0;    // 1..12: the slot pressed last (0: none yet)
    bool startShown_ = false;    // the start timer has shown the first category (or found none)
    std::deque<RemoteCommand> remoteCommands_;
    bool runningRemoteCommands_ = false;
    // The ducks in effect, kept in KV.ini for a start after a crash.
    DuckRecords duckRecords_{profile_, [this] { return configFile(); }};
    bool jinglePlayed_ = false;   // a jingle started since the last end-of-jingle action
    bool fadeInAtEnd_ = false;    // its category asked for the fade-in when it started
    bool refusalShown_ = false;   // the box of an unsupported combination is open
    // The shown category's loudness measurements, the files out for measuring, and where
    // the worker thread leaves its results.
    std::array<std::optional<SlotLoudness>, kSlotCount> loudness_;
    std::vector<std::wstring> measuring_;
    LoudnessInboxOwner inbox_;
    // The output device chosen (empty id: the default) and the ids behind the menu's items.
    std::wstring deviceId_;
    std::wstring deviceName_;
    std::vector<std::wstring> deviceMenuIds_;
};

}  // namespace kv::ui
