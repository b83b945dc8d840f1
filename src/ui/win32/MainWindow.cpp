#include "ui/win32/MainWindow.h"

#include <windows.h>
#include <commctrl.h>

#include "app/commandpayload.h"
#include "ui/ControlIds.h"
#include "ui/win32/DroppedFiles.h"
#include "ui/win32/ModalLoops.h"

namespace kv::ui::win32 {

namespace {

void initCommonControls() {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                              ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
}

}  // namespace

void Win32MainWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    OwnWindow::registerClass(wc);
}

Win32MainWindow::Win32MainWindow(TKavintamainform& form, HINSTANCE instance)
    : form_(form),
      instance_(instance),
      painter_([this](HWND child) { return printsIntoForm(child); },
               [this](HDC dc, const RECT& r) { FillRect(dc, &r, look_.windowBrush()); }) {
    registerClass(instance_);
    playingName_ = form_.texts().text(TextId::NameSlotSpielt);
    RECT outer{0, 0, scale_.toWindow(TKavintamainform::kClientWidth), scale_.toWindow(TKavintamainform::kClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    create(kExStyle, kClassName, form.caption().c_str(), kStyle,
           {CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top}, nullptr, instance_);
    if (!hwnd()) return;
    setClientSize(scale_.toWindow(TKavintamainform::kClientWidth), scale_.toWindow(TKavintamainform::kClientHeight));
    createTimers();
    createAccelerators();
    hotKeys_ = std::make_unique<HotKeyRegistrations>(hwnd());
    globalKeysItem_ = std::make_unique<SystemMenuItem>(hwnd(), form_.m_globaletasten, ids::SysGlobaleTasten);
    loudnessItem_ = std::make_unique<SystemMenuItem>(hwnd(), form_.m_gleichlaut, ids::SysGleichLaut, false);
    softStopItem_ = std::make_unique<SystemMenuItem>(hwnd(), form_.m_blendetaus, ids::SysBlendetAus, false);
    deviceChoice_ = std::make_unique<SystemMenuChoice>(hwnd(), form_.m_ausgabegeraet, ids::SysAusgabegeraet);
    DragAcceptFiles(hwnd(), TRUE);  // files dropped onto the slot buttons
    formHook_ = std::make_unique<TFormHook>(*this);
    form_.attachHost(this);
}

Win32MainWindow::~Win32MainWindow() {
    form_.attachHost(nullptr);
    if (hwnd()) {
        closeTaken(hwnd());
        // No form handler runs while the window is torn down from here.
        detach();
        releaseChildren();
    }
}

std::function<void()> Win32MainWindow::crossThreadWake() {
    const HWND window = hwnd();
    return [window] { PostMessageW(window, kLoudnessMessage, 0, 0); };
}

void Win32MainWindow::start(int showCommand) {
    if (started_ || !hwnd()) return;
    started_ = true;
    showCommand_ = showCommand;
    PostMessageW(hwnd(), kLoopStartedMessage, 0, 0);
}

// The start timer's period, running since the window's creation, covers this work.
void Win32MainWindow::onLoopStarted() {
    if (!started_ || hasChildren()) return;
    createViews();
    const bool plainShow = showCommand_ == SW_SHOWNORMAL || showCommand_ == SW_SHOW || showCommand_ == SW_SHOWDEFAULT;
    ShowWindow(hwnd(), maximiseWhenShown_ && plainShow ? SW_SHOWMAXIMIZED : showCommand_);
    // Applied again once shown: not every window manager keeps it for a hidden window.
    if (topmost_) setTopmost(true);
}

// The one place that creates the child windows; each view takes its model's current state.
void Win32MainWindow::createViews() {
    // The first call into the common controls: the window and its start timer exist.
    initCommonControls();
    tips_ = std::make_unique<ToolTips>(hwnd());
    const ViewContext context{hwnd(), instance_, &scale_, &fonts_, tips_.get(), this,
                              &contrast_, names_, &playingName_, &comboLook_, &look_};
    for (Control* control : form_.controls()) {
        std::unique_ptr<Win32View> view = makeView(*control, context);
        if (!view) continue;
        for (HWND child : view->windows())
            if (child) byWindow_[child] = view.get();
        byControl_[control] = view.get();
        if (control->kind() == ControlKind::StatusBar) statusBar_ = static_cast<StatusBarView*>(view.get());
        views_.push_back(std::move(view));
    }
    // Group boxes lie beneath everything, the controls inside them included (a child is
    // created beneath its elder siblings, so this waits for the last one).
    for (const auto& view : views_)
        if (view->model().kind() == ControlKind::GroupBox)
            SetWindowPos(view->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    markRadioGroups(views_);
    painter_.childrenChanged();
    // The focus starts on the first control Tab reaches (the category box) as soon as the
    // window is active; it is already when it was activated before its children came.
    if (GetActiveWindow() == hwnd()) focus_.passFocus(hwnd());
}

void Win32MainWindow::indexWindows() {
    byWindow_.clear();
    for (const auto& view : views_)
        for (HWND child : view->windows())
            if (child) byWindow_[child] = view.get();
    painter_.childrenChanged();
}

void Win32MainWindow::setAccessibleNames(AccessibleNames* names) {
    names_ = names ? names : &systemNames_;
}

void Win32MainWindow::setHighContrastQuery(HighContrast::Query query) {
    contrast_.setQuery(std::move(query));
    onColoursChanged(false);
}

void Win32MainWindow::createTimers() {
    for (Timer* timer : form_.timers())
        timers_.push_back(std::make_unique<TimerBinding>(*timer, hwnd()));
}

void Win32MainWindow::createAccelerators() {
    ACCEL keys[TKavintamainform::kSlotCount];
    for (int i = 0; i < TKavintamainform::kSlotCount; ++i)
        keys[i] = ACCEL{FVIRTKEY, static_cast<WORD>(VK_F1 + i), static_cast<WORD>(kFirstSlotCommand + i)};
    accelerators_.reset(CreateAcceleratorTableW(keys, TKavintamainform::kSlotCount));
}

void Win32MainWindow::releaseChildren() {
    endPaintBatch();  // it may hold texts for the views
    timers_.clear();
    focus_.forget();
    views_.clear();
    byWindow_.clear();
    byControl_.clear();
    statusBar_ = nullptr;
    tips_.reset();
    painter_.childrenChanged();
}

Win32View* Win32MainWindow::viewFor(HWND window) const {
    const auto found = byWindow_.find(window);
    return found == byWindow_.end() ? nullptr : found->second;
}

bool Win32MainWindow::printsIntoForm(HWND child) const {
    const Win32View* view = viewFor(child);
    return view && view->printsIntoParent(child);
}

Win32View* Win32MainWindow::viewOf(const Control& control) const {
    const auto found = byControl_.find(&control);
    return found == byControl_.end() ? nullptr : found->second;
}

void Win32MainWindow::setScale(int dpi) {
    if (dpi == scale_.dpi() || !hwnd()) return;
    const int designHeight = clientHeight();
    scale_ = UiScale(dpi);
    setClientSize(scale_.toWindow(TKavintamainform::kClientWidth), scale_.toWindow(designHeight));
    for (const auto& view : views_) view->rescale();
    fonts_.dropOtherScales();
    if (statusBar_) statusBar_->dock();
}

void Win32MainWindow::setClientSize(int width, int height) {
    RECT window{}, client{};
    GetWindowRect(hwnd(), &window);
    GetClientRect(hwnd(), &client);
    if (client.right == width && client.bottom == height) return;  // nothing to move
    // Grow or shrink the frame by what the client area misses, whatever the frame metrics.
    const int outerWidth = (window.right - window.left) + (width - client.right);
    const int outerHeight = (window.bottom - window.top) + (height - client.bottom);
    SetWindowPos(hwnd(), nullptr, 0, 0, outerWidth, outerHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- IFormHost

void Win32MainWindow::setCaption(const std::wstring& caption) {
    if (hwnd()) SetWindowTextW(hwnd(), caption.c_str());
}

// Turning redraw off clears WS_VISIBLE: while a batch holds the painting, the window counts
// as it was when the batch began, and a batch only holds a visible window.
bool Win32MainWindow::isVisible() const {
    if (paintBatch_ && paintBatch_->holding()) return true;
    return hwnd() && IsWindowVisible(hwnd());
}

void Win32MainWindow::setTopmost(bool topmost) {
    topmost_ = topmost;
    if (!hwnd()) return;
    SetWindowPos(hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int Win32MainWindow::clientHeight() const {
    RECT client{};
    if (hwnd()) GetClientRect(hwnd(), &client);
    return scale_.toDesign(client.bottom);
}

void Win32MainWindow::setClientHeight(int height) {
    if (!hwnd()) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    setClientSize(client.right, scale_.toWindow(height));
}

int Win32MainWindow::outerHeight() const {
    RECT window{};
    if (hwnd()) GetWindowRect(hwnd(), &window);
    return window.bottom - window.top;
}

void Win32MainWindow::requestTerminate() { PostQuitMessage(0); }

void Win32MainWindow::beginUpdate() {
    if (updateDepth_++ == 0) paintBatch_.emplace(hwnd());
}

void Win32MainWindow::endUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0) endPaintBatch();
}

// Finished while still in place (resetting the optional alone would take it away first):
// the texts it shows at its end are reported back to it.
void Win32MainWindow::endPaintBatch() {
    if (paintBatch_) paintBatch_->finish();
    paintBatch_.reset();
}

void Win32MainWindow::viewChanged(const Win32View& view, Aspect aspect) {
    if (!paintBatch_ || !paintBatch_->holding()) return;
    if (aspect == Aspect::Bounds || aspect == Aspect::Visible) {
        paintBatch_->addWholeWindow();  // the place it left must be painted too
        return;
    }
    for (HWND window : view.windows()) paintBatch_->addChanged(window);
}

void Win32MainWindow::repaintNow() {
    finishActivePaintBatch();
    if (hwnd()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Keys, clicks and hot keys of this thread's windows that wait in the queue. Input of the
// title bar and the frame stays: moving the window is no press.
void Win32MainWindow::discardPendingInput() {
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessageW(&message, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) {
    }
}

// --- IPlacedForm

namespace {

// The normal position of a window is kept in workspace coordinates: relative to the primary
// monitor's work area.
POINT workspaceOrigin() {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

}  // namespace

WindowState Win32MainWindow::windowState() const {
    if (!hwnd()) return WindowState::Normal;
    if (IsIconic(hwnd())) return WindowState::Minimized;
    if (IsZoomed(hwnd()) || (maximiseWhenShown_ && !IsWindowVisible(hwnd()))) return WindowState::Maximized;
    return WindowState::Normal;
}

void Win32MainWindow::setWindowState(WindowState state) {
    maximiseWhenShown_ = state == WindowState::Maximized;
    if (!hwnd() || !IsWindowVisible(hwnd())) return;
    ShowWindow(hwnd(), state == WindowState::Maximized ? SW_MAXIMIZE
                       : state == WindowState::Minimized ? SW_MINIMIZE : SW_RESTORE);
}

// Minimised, the window lies at the parking position (-32000): what counts is where it comes
// back to, its normal position.
Rect Win32MainWindow::bounds() const {
    if (!hwnd()) return {};
    RECT r{};
    if (IsIconic(hwnd()) || IsZoomed(hwnd())) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(hwnd(), &placement);
        r = placement.rcNormalPosition;
        const POINT origin = workspaceOrigin();
        OffsetRect(&r, origin.x, origin.y);
    } else {
        GetWindowRect(hwnd(), &r);
    }
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32MainWindow::setBounds(const Rect& b) {
    if (!hwnd()) return;
    if (IsIconic(hwnd()) || IsZoomed(hwnd())) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(hwnd(), &placement);
        const POINT origin = workspaceOrigin();
        placement.rcNormalPosition = {b.left - origin.x, b.top - origin.y, b.right() - origin.x, b.bottom() - origin.y};
        SetWindowPlacement(hwnd(), &placement);
        return;
    }
    SetWindowPos(hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32MainWindow::monitorIndex() const {
    const int index = Win32Monitors::indexOf(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST));
    return index < 0 ? monitors_.primaryIndex() : index;
}

int Win32MainWindow::monitorPpi() const {
    const UINT dpi = hwnd() ? GetDpiForWindow(hwnd()) : 0;
    return dpi ? static_cast<int>(dpi) : UiScale::kDesignDpi;
}

int Win32MainWindow::referencePpi() const {
    if (scaled_) return UiScale::kDesignDpi;
    const UINT dpi = GetDpiForSystem();
    return dpi ? static_cast<int>(dpi) : UiScale::kDesignDpi;
}

// --- Messages

LRESULT Win32MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: return onCommand(wParam, lParam);
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            LRESULT result = 0;
            if (Win32View* view = viewFor(header->hwndFrom); view && view->onNotify(*header, result)) return result;
            break;
        }
        case WM_HSCROLL:
            if (Win32View* view = viewFor(reinterpret_cast<HWND>(lParam))) {
                view->onScroll(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
            return onCtlColor(message, wParam, lParam);
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (Win32View* view = viewFor(item->hwndItem); view && view->onDrawItem(*item)) return TRUE;
            break;
        }
        case WM_PAINT: painter_.paint(hwnd()); return 0;
        case WM_ERASEBKGND: {
            // Another DC: a themed child drawing the form's background beneath itself.
            const auto dc = reinterpret_cast<HDC>(wParam);
            if (FormPainter::erasesInPaint(hwnd(), dc)) return 1;
            RECT r{};
            GetClipBox(dc, &r);
            FillRect(dc, &r, look_.windowBrush());
            return 1;
        }
        case WM_SYSCOLORCHANGE: contrast_.refresh(); onColoursChanged(true); break;
        case WM_SETTINGCHANGE:
            if (contrast_.refresh()) onColoursChanged(false);
            break;
        case WM_CONTEXTMENU:
            if (onContextMenu(wParam, lParam)) return 0;
            break;
        case kContextKeyMessage: onContextKey(reinterpret_cast<HWND>(wParam)); return 0;
        case WM_COPYDATA: return onCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case kRemoteCommandsMessage:
            if (!closing_) form_.runRemoteCommands();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) focus_.deactivating(hwnd());
            break;
        case WM_SETFOCUS:
            focus_.passFocus(hwnd());
            return 0;
        case WM_SETCURSOR:
            // The mouse is over the window or one of its controls: the hints are wanted now.
            if (tips_) tips_->window();
            break;
        case WM_TIMER: onTimer(wParam); return 0;
        case kLoopStartedMessage: onLoopStarted(); return 0;
        case WM_SIZE:
            if (statusBar_) statusBar_->dock();
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SYSCOMMAND:
            for (SystemMenuItem* item : {globalKeysItem_.get(), loudnessItem_.get(), softStopItem_.get()})
                if (item && item->onSysCommand(wParam)) return 0;
            if (deviceChoice_ && deviceChoice_->onSysCommand(wParam)) return 0;
            break;
        case WM_INITMENUPOPUP:
            if (deviceChoice_ && deviceChoice_->onInitMenuPopup(wParam)) return 0;
            break;
        case kLoudnessMessage:
            if (!closing_) form_.loudnessMeasured();
            return 0;
        case WM_HOTKEY: onHotKey(wParam); return 0;
        case WM_DROPFILES: onDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
        case WM_CLOSE: onClose(); return 0;
        case WM_ENDSESSION:
            if (wParam) onSessionEnd();
            return 0;
        case WM_DESTROY: onDestroy(); return 0;
        default: break;
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

LRESULT Win32MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const auto from = reinterpret_cast<HWND>(lParam);
    const int id = LOWORD(wParam);
    if (!from) {
        // A submenu's item of the window menu, where the system reports it as a command.
        if (HIWORD(wParam) == 0 && deviceChoice_ && deviceChoice_->onSysCommand(LOWORD(wParam))) return 0;
        // An accelerator: F1..F12 run the actions SC1..SC12.
        const int slot = id - kFirstSlotCommand + 1;
        if (HIWORD(wParam) == 1 && slot >= 1 && slot <= TKavintamainform::kSlotCount) form_.SCExecute(slot);
        return 0;
    }
    if (Win32View* view = viewFor(from)) view->onCommand(HIWORD(wParam), from);
    return 0;
}

LRESULT Win32MainWindow::onCtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Win32View* view = viewFor(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = view->ctlColor(reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

// The context-menu key and Shift+F10 reach a control as WM_CONTEXTMENU without a position,
// which the control passes on to its parent. A right click sends it too, with a position:
// the mouse-down has served that already.
bool Win32MainWindow::onContextMenu(WPARAM wParam, LPARAM lParam) {
    const bool fromKeyboard = LOWORD(lParam) == 0xFFFF && HIWORD(lParam) == 0xFFFF;
    const auto control = reinterpret_cast<HWND>(wParam);
    if (!fromKeyboard || !viewFor(control)) return false;
    // One key press, however many ways the system reports it, is one assignment.
    if (pendingContextKey_ != control && PostMessageW(hwnd(), kContextKeyMessage, wParam, 0))
        pendingContextKey_ = control;
    return true;
}

void Win32MainWindow::onContextKey(HWND control) {
    pendingContextKey_ = nullptr;
    if (Win32View* view = viewFor(control)) view->onContextKey();
}

// A command from another program ("/play N", "/stop"): only our tag with a well-formed block
// is taken. It is queued, not run here, so that the sender does not wait for it.
// A closing window takes no more commands.
LRESULT Win32MainWindow::onCopyData(const COPYDATASTRUCT* data) {
    if (data == nullptr || closing_) return FALSE;
    const std::optional<RemoteCommand> command = decodeCommand(data->dwData, data->lpData, data->cbData);
    if (!command || !form_.queueRemoteCommand(*command)) return FALSE;
    PostMessageW(hwnd(), kRemoteCommandsMessage, 0, 0);
    return TRUE;
}

// The colours in use changed (systemColours) or high contrast went on or off: the common
// controls are told as their parent must, and everything is painted again.
void Win32MainWindow::onColoursChanged(bool systemColours) {
    if (!hwnd()) return;
    look_.refresh();
    for (const auto& view : views_) view->coloursChanged();
    indexWindows();  // a combo box may have a new window
    caption_.apply(hwnd(), look_);
    if (systemColours)
        for (const auto& view : views_)
            for (HWND window : view->windows())
                if (window) SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Moved to a monitor with another PPI, or its PPI changed: a scaled window follows it
// (layout, fonts, and the rectangle the system suggests), an unscaled one keeps its pixels.
void Win32MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
    if (!scaled_) return;
    setScale(dpi);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainWindow::styleChanged() { onColoursChanged(false); }

void Win32MainWindow::onTimer(UINT_PTR id) {
    for (const auto& binding : timers_) {
        if (static_cast<UINT_PTR>(binding->timer().id()) == id) {
            binding->timer().tick();
            return;
        }
    }
}

void Win32MainWindow::onClose() {
    if (closing_) return;  // the close runs already (its save may show a box)
    if (modalDialogRunning()) {
        // A handler waits in a dialog of ours and goes on with this window's controls once
        // it returns: the dialog is ended, and the close comes back after the handler.
        closeAfterModalDialogs(hwnd());
        return;
    }
    closeTaken(hwnd());
    closing_ = true;
    closeQuery();
    DestroyWindow(hwnd());
}

void Win32MainWindow::closeQuery() {
    try {
        form_.FormCloseQuery();
    } catch (...) {
        // A failed save reports itself; the window closes all the same.
        reportCurrentException(hwnd());
    }
}

// The session ends once this returns, so the close cannot wait for a handler that waits in a
// dialog: its dialog is ended, and the close's save runs now, with every window still there.
void Win32MainWindow::onSessionEnd() {
    if (!modalDialogRunning()) {
        onClose();
        return;
    }
    if (closing_) return;
    closing_ = true;
    closeAfterModalDialogs(hwnd());
    closeQuery();
}

// While a dialog of ours runs, the window's own F-keys go to the dialog and fire nothing:
// so does a hot key.
void Win32MainWindow::onHotKey(WPARAM id) {
    const int slot = hotKeys_ ? hotKeys_->slotOf(id) : 0;
    if (slot > 0 && !modalDialogRunning()) form_.globalHotKey(slot);
}

// The paths are read and the drop finished before the handler may ask for a caption.
void Win32MainWindow::onDropFiles(HDROP drop) {
    std::vector<std::wstring> paths;
    POINT at{};
    {
        const DroppedFiles files(drop);
        paths = files.paths();
        at = files.point();
    }
    if (modalDialogRunning()) return;
    const int slot = form_.slotAt(scale_.toDesign(at.x), scale_.toDesign(at.y));
    if (slot > 0) form_.JingleButtonDragDrop(form_.slot(slot), paths);
}

void Win32MainWindow::onDestroy() {
    closeTaken(hwnd());
    try {
        form_.FormClose();
    } catch (...) {
        reportCurrentException(hwnd());
    }
    releaseChildren();
    PostQuitMessage(0);
}

}  // namespace kv::ui::win32
