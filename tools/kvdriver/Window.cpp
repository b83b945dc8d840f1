#include "kvdriver/Window.h"

#include <commctrl.h>

#include <vector>

#include "kvdriver/UniqueHandle.h"

namespace kvdriver {
namespace {

constexpr UINT kTimeoutMs = static_cast<UINT>(kMessageTimeout.count());

LRESULT sendWithTimeout(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

struct TopLevelSearch {
    DWORD pid;
    const std::wstring* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<TopLevelSearch*>(lp);
    if (windowProcessId(hwnd) == search->pid &&
        (search->cls->empty() || className(hwnd) == *search->cls))
        search->found.push_back(hwnd);
    return TRUE;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK findChild(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<ChildSearch*>(lp);
    if (GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void usePhysicalPixels() {
    static const bool aware = SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) != FALSE;
    (void)aware;
}

std::wstring className(HWND hwnd) {
    wchar_t buffer[256] = {};
    const int n = GetClassNameW(hwnd, buffer, 256);
    return std::wstring(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

DWORD windowProcessId(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

std::vector<HWND> topLevelWindows(DWORD pid, const std::wstring& cls) {
    TopLevelSearch search{pid, &cls, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<HWND> waitTopLevelWindow(DWORD pid, const std::wstring& cls, Millis timeout) {
    return waitFor(
        [&]() -> std::optional<HWND> {
            for (HWND hwnd : topLevelWindows(pid, cls))
                if (IsWindowVisible(hwnd)) return hwnd;
            return std::nullopt;
        },
        timeout);
}

HWND childById(HWND parent, int id) {
    ChildSearch search{id, nullptr};
    EnumChildWindows(parent, findChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring windowText(HWND hwnd) {
    const auto length = sendWithTimeout(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 2, L'\0');
    const auto copied = sendWithTimeout(hwnd, WM_GETTEXT, buffer.size(),
                                        reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<size_t>(copied));
}

void setWindowText(HWND hwnd, const std::wstring& text) {
    sendWithTimeout(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void postClick(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool isChecked(HWND button) { return sendWithTimeout(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::wstring> comboItems(HWND combo) {
    std::vector<std::wstring> items;
    const auto count = sendWithTimeout(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = sendWithTimeout(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) break;
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        sendWithTimeout(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(buffer.data()));
        items.emplace_back(buffer.data());
    }
    return items;
}

int comboSelection(HWND combo) { return static_cast<int>(sendWithTimeout(combo, CB_GETCURSEL, 0, 0)); }

std::wstring comboSelectedText(HWND combo) {
    const int index = comboSelection(combo);
    const auto items = comboItems(combo);
    if (index < 0 || static_cast<size_t>(index) >= items.size()) return {};
    return items[static_cast<size_t>(index)];
}

void userSelectComboItem(HWND combo, int index) {
    sendWithTimeout(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE);
    PostMessageW(GetParent(combo), WM_COMMAND, command, reinterpret_cast<LPARAM>(combo));
}

bool comboDropped(HWND combo) { return sendWithTimeout(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }

int trackBarPosition(HWND trackBar) {
    return static_cast<int>(sendWithTimeout(trackBar, TBM_GETPOS, 0, 0));
}

void dragTrackBar(HWND trackBar, int position) {
    sendWithTimeout(trackBar, TBM_SETPOS, TRUE, position);
    const HWND parent = GetParent(trackBar);
    const auto lp = reinterpret_cast<LPARAM>(trackBar);
    PostMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), lp);
    PostMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), lp);
}

HWND upDownOf(HWND edit) {
    for (HWND sibling = GetWindow(GetParent(edit), GW_CHILD); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (className(sibling) == UPDOWN_CLASSW &&
            reinterpret_cast<HWND>(sendWithTimeout(sibling, UDM_GETBUDDY, 0, 0)) == edit)
            return sibling;
    }
    return nullptr;
}

HWND focusedWindow(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

std::wstring statusBarText(HWND statusBar, int part) {
    const auto lengthInfo = sendWithTimeout(statusBar, SB_GETTEXTLENGTHW, part, 0);
    const size_t length = LOWORD(lengthInfo);
    UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE,
                                     windowProcessId(statusBar)));
    if (!process) return {};
    const size_t bytes = (length + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    if (remote == nullptr) return {};
    sendWithTimeout(statusBar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote));
    std::vector<wchar_t> buffer(length + 1, L'\0');
    SIZE_T read = 0;
    ReadProcessMemory(process.get(), remote, buffer.data(), bytes, &read);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return std::wstring(buffer.data());
}

void postClose(HWND hwnd) { PostMessageW(hwnd, WM_CLOSE, 0, 0); }

}  // namespace kvdriver
