#pragma once
// The main window: realises TKavintamainform as a fixed-size top-level window whose
// children are the views of the form's controls, runs its timers and its F1..F12 keys.
// The timers run from the window's creation, as designed timers of a form do. The form's
// state lives in its control models, so the child windows are only created once the
// message loop runs, inside the start timer's wait, and the window is shown right after
// them: it is never visible without its controls. The window paints its children into
// its own double-buffered paint wherever they can print themselves (see FormPainter).
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "ui/FormHost.h"
#include "ui/MainUnit.h"
#include "ui/formhook_unit.h"
#include "ui/win32/AccessibleNames.h"
#include "ui/win32/ControlViews.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/FormPainter.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/HighContrast.h"
#include "ui/win32/HotKeyRegistrations.h"
#include "ui/win32/KeyboardNavigation.h"
#include "ui/win32/OwnWindow.h"
#include "ui/win32/PaintBatch.h"
#include "ui/win32/StyleLook.h"
#include "ui/win32/StyledCaption.h"
#include "ui/win32/StyledComboLook.h"
#include "ui/win32/SystemMenuChoice.h"
#include "ui/win32/SystemMenuItem.h"
#include "ui/win32/TimerBinding.h"
#include "ui/win32/ToolTips.h"
#include "ui/win32/UiScale.h"
#include "ui/win32/Win32Monitors.h"

namespace kv::ui::win32 {

class Win32MainWindow final : public OwnWindow, public IFormHost, public IPlacedForm, public IScalableForm,
                              private ViewChangeListener {
public:
    static constexpr const wchar_t* kClassName = L"TKavintamainform";
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    // No WS_CLIPCHILDREN: the form paints most of its children into its own paint.
    static constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
    // Command ids of the F1..F12 accelerators: kFirstSlotCommand + slot - 1.
    static constexpr WORD kFirstSlotCommand = 40001;
    // Posted to itself by start(): its arrival means the message loop runs. Only then do
    // the child windows get created and the window is shown.
    static constexpr UINT kLoopStartedMessage = WM_APP + 1;
    // Posted to itself when the context-menu key (or Shift+F10) was pressed on a control
    // (wParam: its window): the control's handler runs once the key's message is done.
    static constexpr UINT kContextKeyMessage = WM_APP + 8;
    // Posted to itself when another program's command was queued: the queue runs once the
    // WM_COPYDATA that brought it has been answered.
    static constexpr UINT kRemoteCommandsMessage = WM_APP + 20;
    // Posted by any thread when loudness measurements wait for the form.
    static constexpr UINT kLoudnessMessage = WM_APP + 21;

    // Creates the hidden top-level window, without children, and attaches itself as the
    // form's host; the form's creation may run on its models from here on.
    explicit Win32MainWindow(TKavintamainform& form, HINSTANCE instance = GetModuleHandleW(nullptr));
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    using OwnWindow::hwnd;
    HACCEL accelerators() const { return accelerators_.get(); }
    HWND toolTipWindow() const { return tips_ ? tips_->window() : nullptr; }
    const UiScale& scale() const { return scale_; }
    Win32View* viewOf(const Control& control) const;
    // Called right before the message loop runs: queues the loop-started work, which creates
    // every child window from its model's current state and then shows the window with
    // showCommand (SW_HIDE leaves it hidden). Only the first call counts.
    void start(int showCommand);
    // True once the child windows exist.
    bool hasChildren() const { return !views_.empty(); }
    // Lays every control out again for another pixel density.
    void setScale(int dpi);
    // Replaces how the views annotate names for screen readers (before start(); nullptr
    // restores the system's service).
    void setAccessibleNames(AccessibleNames* names);
    // Replaces the question whether high contrast is on, and shows the answer.
    void setHighContrastQuery(HighContrast::Query query);
    bool highContrast() const { return contrast_.on(); }
    // The looks the views draw in (before start(); nullptr: the system look only).
    void setStyles(const StyleEngine* styles) { look_.setEngine(styles); }
    // After the active style changed: every part of the window is painted again in it.
    void styleChanged();

    // IFormHost
    void setCaption(const std::wstring& caption) override;
    bool isVisible() const override;
    void setTopmost(bool topmost) override;
    int clientHeight() const override;
    void setClientHeight(int height) override;
    int outerHeight() const override;
    int pixelsPerInch() const override { return scale_.dpi(); }
    void requestTerminate() override;
    void repaintNow() override;
    void discardPendingInput() override;
    void beginUpdate() override;
    void endUpdate() override;
    IPlacedForm* placement() override { return this; }
    const IMonitors* monitors() const override { return &monitors_; }
    IHotKeys* hotKeys() override { return hotKeys_.get(); }
    std::function<void()> crossThreadWake() override;

    // IPlacedForm
    std::wstring componentName() const override { return L"Kavintamainform"; }
    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    Rect bounds() const override;
    void setBounds(const Rect& bounds) override;
    int monitorIndex() const override;
    int monitorPpi() const override;
    bool scaled() const override { return scaled_; }
    int referencePpi() const override;

    // IScalableForm (monitorPpi and referencePpi as above)
    void setScaled(bool on) override { scaled_ = on; }
    void scaleForCurrentDpi() override { setScale(monitorPpi()); }

private:
    // ViewChangeListener
    void viewChanged(const Win32View& view, Aspect aspect) override;
    bool defersText() const override { return paintBatch_ && paintBatch_->holding(); }
    void textDeferred(Win32View& view) override { paintBatch_->deferText(view); }

    void endPaintBatch();
    int updateDepth_ = 0;
    std::optional<PaintBatch> paintBatch_;  // while an update hold is active

    static void registerClass(HINSTANCE instance);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    void onDpiChanged(int dpi, const RECT& suggested);
    LRESULT onCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
    void onTimer(UINT_PTR id);
    bool onContextMenu(WPARAM wParam, LPARAM lParam);
    void onContextKey(HWND control);
    LRESULT onCopyData(const COPYDATASTRUCT* data);
    void onColoursChanged(bool systemColours);
    void onClose();
    void closeQuery();
    void onSessionEnd();
    void onDestroy();
    void onHotKey(WPARAM id);
    void onDropFiles(HDROP drop);

    void onLoopStarted();
    bool printsIntoForm(HWND child) const;
    void createViews();
    void createTimers();
    void createAccelerators();
    void setClientSize(int width, int height);  // window pixels
    void indexWindows();  // after views created windows again
    void releaseChildren();
    Win32View* viewFor(HWND window) const;

    TKavintamainform& form_;
    HINSTANCE instance_;
    UiScale scale_;
    FontCache fonts_{scale_};
    FormPainter painter_;
    std::unique_ptr<ToolTips> tips_;
    std::vector<std::unique_ptr<Win32View>> views_;
    std::unordered_map<HWND, Win32View*> byWindow_;
    std::unordered_map<const Control*, Win32View*> byControl_;
    StatusBarView* statusBar_ = nullptr;
    bool topmost_ = false;
    Win32Monitors monitors_;
    bool scaled_ = false;               // the form's DPI scaling switch
    bool maximiseWhenShown_ = false;    // restored maximised before the window was shown
    bool started_ = false;
    bool closing_ = false;  // from the close's save to the window's end
    int showCommand_ = SW_HIDE;
    std::vector<std::unique_ptr<TimerBinding>> timers_;
    UniqueAccelerators accelerators_;
    FocusKeeper focus_;
    HWND pendingContextKey_ = nullptr;  // posted kContextKeyMessage not yet served
    HighContrast contrast_;
    StyleLook look_{contrast_};
    StyledComboLook comboLook_{look_, scale_};
    CaptionColours caption_;
    AccPropAccessibleNames systemNames_;
    AccessibleNames* names_ = &systemNames_;
    std::wstring playingName_;
    std::unique_ptr<HotKeyRegistrations> hotKeys_;  // F1..F12 system-wide, while on
    std::unique_ptr<SystemMenuItem> globalKeysItem_;
    std::unique_ptr<SystemMenuItem> loudnessItem_;
    std::unique_ptr<SystemMenuItem> softStopItem_;
    std::unique_ptr<SystemMenuChoice> deviceChoice_;
    std::unique_ptr<TFormHook> formHook_;  // last: gone before the rest of the window
};

}  // namespace kv::ui::win32
