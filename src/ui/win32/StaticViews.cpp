// Labels, group boxes, the separator panel and the status bar.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/ControlViews.h"
#include "ui/win32/StyleLook.h"
#include "ui/win32/StyledFrames.h"
#include "ui/win32/StyledStatusBar.h"

namespace kv::ui::win32 {

namespace {
// A label tall enough for two lines wraps its text; a one-line label never hides words on
// a second line that it cannot show.
constexpr int kTwoLineHeight = 26;
}  // namespace

LabelView::LabelView(Label& model, const ViewContext& context) : Win32View(model, context) {
    const DWORD wrap = model.bounds().height >= kTwoLineHeight ? SS_LEFT : SS_LEFTNOWORDWRAP;
    createWindow(L"STATIC", wrap | SS_NOPREFIX);
}

GroupBoxView::GroupBoxView(GroupBox& model, const ViewContext& context) : Win32View(model, context) {
    createWindow(L"BUTTON", BS_GROUPBOX);
    // Group boxes send no custom draw that can be relied on: the style paints them over.
    paint_.install(hwnd(), [this](HWND box, HDC dc) {
        const StyleLook* look = styledLook();
        return look && paintStyledGroupBox(box, dc, *look, scale().dpi());
    });
}

PanelView::PanelView(Panel& model, const ViewContext& context) : Win32View(model, context) {
    createWindow(L"STATIC", SS_ETCHEDFRAME);
    paint_.install(hwnd(), [this](HWND line, HDC dc) {
        const StyleLook* look = styledLook();
        return look && paintStyledSeparator(line, dc, *look);
    });
}

StatusBarView::StatusBarView(StatusBar& model, const ViewContext& context)
    : Win32View(model, context), bar_(model) {
    // Placed by dock() rather than by the common controls' own parent alignment, so that
    // it keeps its designed height.
    createWindow(STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY | CCS_NODIVIDER);
    setParts();
    applyText();
    paint_.install(hwnd(), [this](HWND bar, HDC dc) {
        const StyleLook* look = styledLook();
        return look && paintStyledStatusBar(bar, dc, *look, scale().dpi());
    });
    if (styledLook()) coloursChanged();
}

void StatusBarView::coloursChanged() {
    if (context().look) setStatusBarBackground(hwnd(), *context().look);
}

RECT StatusBarView::windowRect() const {
    RECT client{};
    GetClientRect(context().parent, &client);
    const int height = scale().toWindow(bar_.bounds().height);
    return {0, client.bottom - height, client.right, client.bottom};
}

void StatusBarView::dock() { Win32View::apply(Aspect::Bounds); }

void StatusBarView::setParts() {
    int rightEdge = scale().toWindow(bar_.panelWidth());
    SendMessageW(hwnd(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&rightEdge));
}

bool StatusBarView::applyText() {
    SendMessageW(hwnd(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(bar_.panelText().c_str()));
    return true;
}

void StatusBarView::apply(Aspect aspect) {
    Win32View::apply(aspect);
    if (aspect == Aspect::Bounds) setParts();
}

void StatusBarView::rescale() {
    Win32View::rescale();
    setParts();
}

std::unique_ptr<Win32View> makeView(Control& control, const ViewContext& context) {
    switch (control.kind()) {
        case ControlKind::Label: return std::make_unique<LabelView>(static_cast<Label&>(control), context);
        case ControlKind::GroupBox:
            return std::make_unique<GroupBoxView>(static_cast<GroupBox&>(control), context);
        case ControlKind::Panel: return std::make_unique<PanelView>(static_cast<Panel&>(control), context);
        case ControlKind::Button:
            return std::make_unique<PushButtonView>(static_cast<Button&>(control), context);
        case ControlKind::SpeedButton:
            return std::make_unique<SpeedButtonView>(static_cast<SpeedButton&>(control), context);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxView>(static_cast<CheckBox&>(control), context);
        case ControlKind::RadioButton:
            return std::make_unique<RadioButtonView>(static_cast<RadioButton&>(control), context);
        case ControlKind::ComboBox:
            return std::make_unique<ComboBoxView>(static_cast<ComboBox&>(control), context);
        case ControlKind::SpinEdit:
            return std::make_unique<SpinEditView>(static_cast<SpinEdit&>(control), context);
        case ControlKind::TrackBar:
            return std::make_unique<TrackBarView>(static_cast<TrackBar&>(control), context);
        case ControlKind::StatusBar:
            return std::make_unique<StatusBarView>(static_cast<StatusBar&>(control), context);
        case ControlKind::Image: break;  // the form shows no image control
    }
    return nullptr;
}

}  // namespace kv::ui::win32
