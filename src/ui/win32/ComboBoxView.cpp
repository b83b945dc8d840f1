// The combo box view: the system's drop-down list, and the hook where a style draws it.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/ComboBoxLook.h"
#include "ui/win32/ControlViews.h"
#include "ui/win32/ModalLoops.h"
#include "ui/win32/StyleLook.h"

namespace kv::ui::win32 {

namespace {
constexpr UINT_PTR kLookHookId = 1;
constexpr int kListRowHeight = 14;  // design pixels per entry of the open list
}  // namespace

ComboBoxView::ComboBoxView(ComboBox& model, const ViewContext& context)
    : Win32View(model, context), combo_(model), look_(nullptr) {
    look_ = wantedLook();
    const DWORD ownerDrawn = look_ ? CBS_OWNERDRAWFIXED | CBS_HASSTRINGS : 0;
    createWindow(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | ownerDrawn);
    // With common controls 6 the open list's length comes from here, not from the height.
    SendMessageW(hwnd(), CB_SETMINVISIBLE, kListRows, 0);
    if (look_) installLook();
    if (!combo_.items().empty() || combo_.itemIndex() >= 0) syncItems();
}

ComboBoxView::~ComboBoxView() {
    if (hooked_ && IsWindow(hwnd())) RemoveWindowSubclass(hwnd(), lookProc, kLookHookId);
}

RECT ComboBoxView::windowRect() const {
    RECT r = Win32View::windowRect();
    r.bottom += scale().toWindow(kListRows * kListRowHeight + 2);
    return r;
}

ComboBoxLook* ComboBoxView::wantedLook() const {
    const StyleLook* styles = context().look;
    return styles && !styles->style() ? nullptr : context().comboLook;
}

void ComboBoxView::coloursChanged() {
    ComboBoxLook* wanted = wantedLook();
    if (wanted != look_ && hwnd()) switchLook(wanted);
}

// A box reads CBS_OWNERDRAWFIXED only while it is created: a new one takes the old one's
// place with every other style bit (the Tab stop and group marks among them).
void ComboBoxView::switchLook(ComboBoxLook* look) {
    const bool focused = GetFocus() == hwnd();
    SendMessageW(hwnd(), CB_SHOWDROPDOWN, FALSE, 0);
    constexpr DWORD kOwnerDrawn = CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)) & ~kOwnerDrawn;
    if (look) style |= kOwnerDrawn;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE));
    look_ = look;
    recreateWindow(WC_COMBOBOXW, style, exStyle);
    if (!hwnd()) return;
    SendMessageW(hwnd(), CB_SETMINVISIBLE, kListRows, 0);
    if (look_) installLook();
    shown_.clear();
    syncItems();
    if (focused) SetFocus(hwnd());
}

// The box asks its parent for the entries' height while it is created, before this view
// can answer (WM_MEASUREITEM), so the look's height is set afterwards. The list's colours
// (WM_CTLCOLORLISTBOX from the list) and the face (WM_PAINT) pass through the box itself.
void ComboBoxView::installLook() {
    setItemHeights();
    hooked_ = SetWindowSubclass(hwnd(), lookProc, kLookHookId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void ComboBoxView::setItemHeights() {
    const int height = look_->itemHeight();
    SendMessageW(hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    SendMessageW(hwnd(), CB_SETITEMHEIGHT, 0, height);
}

void ComboBoxView::rescale() {
    Win32View::rescale();
    if (look_) setItemHeights();  // the look's heights follow the scale
}

LRESULT CALLBACK ComboBoxView::lookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<ComboBoxView*>(data);
    try {
        // A box being replaced by one without the look hears only its own end.
        if (!self->look_ && message != WM_NCDESTROY) return DefSubclassProc(window, message, wParam, lParam);
        switch (message) {
            case WM_CTLCOLORLISTBOX:
                if (HBRUSH brush = self->look_->listColours(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
                break;
            case WM_PRINTCLIENT:  // the form's paint prints the box
                if (self->look_->paintFace(window, reinterpret_cast<HDC>(wParam))) return 0;
                break;
            case WM_PAINT: {
                if (wParam != 0) break;  // painting into a given DC, as WM_PRINTCLIENT
                PAINTSTRUCT ps{};
                HDC dc = BeginPaint(window, &ps);
                if (!self->look_->paintFace(window, dc)) DefSubclassProc(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
                EndPaint(window, &ps);
                return 0;
            }
            case WM_NCDESTROY:
                self->hooked_ = false;
                RemoveWindowSubclass(window, lookProc, id);
                break;
            default: break;
        }
    } catch (...) {
        reportCurrentException(GetParent(window));
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// The model changes its list one entry at a time (a list of 39 styles is 39 additions), so
// only the run of entries between the common head and the common tail is replaced.
void ComboBoxView::syncItems() {
    const std::vector<std::wstring>& items = combo_.items();
    size_t head = 0;
    while (head < shown_.size() && head < items.size() && shown_[head] == items[head]) ++head;
    size_t tail = 0;
    while (tail < shown_.size() - head && tail < items.size() - head &&
           shown_[shown_.size() - 1 - tail] == items[items.size() - 1 - tail])
        ++tail;
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    if (head == 0 && tail == 0) {
        SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
    } else {
        for (size_t n = shown_.size() - head - tail; n > 0; --n)
            SendMessageW(hwnd(), CB_DELETESTRING, head, 0);
    }
    for (size_t i = head; i < items.size() - tail; ++i)
        SendMessageW(hwnd(), CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(items[i].c_str()));
    shown_ = items;
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    showSelection();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ComboBoxView::showSelection() {
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(combo_.itemIndex()), 0);
}

void ComboBoxView::apply(Aspect aspect) {
    if (aspect == Aspect::Items) syncItems();
    else if (aspect == Aspect::Selection) showSelection();
    else Win32View::apply(aspect);
}

void ComboBoxView::onCommand(int notifyCode, HWND) {
    if (notifyCode == CBN_SELCHANGE) {
        combo_.userSelect(static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)));
    } else if (notifyCode == CBN_DROPDOWN) {
        combo_.userDropDown();
    }
}

bool ComboBoxView::onDrawItem(const DRAWITEMSTRUCT& item) {
    if (!look_) return false;
    const int index = static_cast<int>(item.itemID);
    look_->drawItem(item, index >= 0 && index < combo_.count() ? combo_.item(index) : std::wstring{});
    return true;
}

HBRUSH ComboBoxView::onCtlColor(HDC dc) { return look_ ? look_->listColours(dc) : nullptr; }

}  // namespace kv::ui::win32
