#include "kvdriver/Input.h"

#include <cstdlib>
#include <vector>

#include "kvdriver/Window.h"

namespace kvdriver {
namespace {

bool send(std::vector<INPUT>& events) {
    const UINT count = static_cast<UINT>(events.size());
    return SendInput(count, events.data(), sizeof(INPUT)) == count;
}

INPUT mouseEvent(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return input;
}

INPUT keyEvent(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT unicodeEvent(wchar_t ch, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = ch;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// Absolute coordinates run from 0 to 65535 across the virtual screen; the value is taken
// at the middle of the pixel so that rounding on either side lands on it.
LONG normalise(LONG value, int origin, int extent) {
    return static_cast<LONG>(((static_cast<long long>(value - origin) * 65536) + 32768) / extent);
}

bool at(POINT wanted) {
    POINT now{};
    return GetCursorPos(&now) && std::labs(now.x - wanted.x) <= 1 && std::labs(now.y - wanted.y) <= 1;
}

void addModifiers(std::vector<INPUT>& events, unsigned modifiers, bool up) {
    if (modifiers & kShift) events.push_back(keyEvent(VK_SHIFT, up));
    if (modifiers & kCtrl) events.push_back(keyEvent(VK_CONTROL, up));
}

// Two clicks of one button close together in place and time make a double click. Each
// click here is a click of its own, so one that would pair with the one before waits.
void keepApartFromLastClick(POINT screen, MouseButton button) {
    static struct {
        bool any = false;
        POINT at{};
        MouseButton button{};
        ULONGLONG tick = 0;
    } last;
    const ULONGLONG now = GetTickCount64();
    const bool samePlace = std::labs(screen.x - last.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                           std::labs(screen.y - last.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const ULONGLONG pairTime = GetDoubleClickTime() + 50;
    if (last.any && samePlace && last.button == button && now - last.tick < pairTime)
        Sleep(static_cast<DWORD>(pairTime - (now - last.tick)));
    last = {true, screen, button, GetTickCount64()};
}

}  // namespace

bool bringToFront(HWND top, Millis timeout) {
    usePhysicalPixels();
    if (GetForegroundWindow() == top) return true;
    SetForegroundWindow(top);
    if (waitUntil([&] { return GetForegroundWindow() == top; }, timeout / 2)) return true;
    // The system may refuse a foreground change to a process that has no input; a click
    // on the caption activates the window as the operator's would.
    RECT frame{};
    GetWindowRect(top, &frame);
    const int captionMiddle = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    click(POINT{(frame.left + frame.right) / 2, frame.top + captionMiddle});
    return waitUntil([&] { return GetForegroundWindow() == top; }, timeout / 2);
}

POINT pointIn(HWND window, double fx, double fy) {
    usePhysicalPixels();
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{rect.left + static_cast<LONG>((rect.right - rect.left) * fx),
                 rect.top + static_cast<LONG>((rect.bottom - rect.top) * fy)};
}

bool moveMouse(POINT screen) {
    usePhysicalPixels();
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    std::vector<INPUT> events = {mouseEvent(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
                                            normalise(screen.x, left, width), normalise(screen.y, top, height))};
    if (!send(events)) return false;
    return waitUntil([&] { return at(screen); }, Millis{1000}, Millis{2});
}

bool click(POINT screen, MouseButton button) {
    if (!moveMouse(screen)) return false;
    keepApartFromLastClick(screen, button);
    const bool left = button == MouseButton::Left;
    std::vector<INPUT> events = {mouseEvent(left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
                                 mouseEvent(left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)};
    return send(events);
}

bool clickWindow(HWND window, MouseButton button) { return click(pointIn(window), button); }

bool turnWheel(POINT screen, int notches) {
    if (!moveMouse(screen)) return false;
    std::vector<INPUT> events = {
        mouseEvent(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(notches * WHEEL_DELTA))};
    return send(events);
}

bool pressKey(WORD virtualKey, unsigned modifiers) {
    std::vector<INPUT> events;
    addModifiers(events, modifiers, false);
    events.push_back(keyEvent(virtualKey, false));
    events.push_back(keyEvent(virtualKey, true));
    addModifiers(events, modifiers, true);
    return send(events);
}

bool typeText(const std::wstring& text) {
    for (const wchar_t ch : text) {
        const SHORT key = VkKeyScanW(ch);
        const bool typeable = key != -1 && (HIBYTE(key) & ~1) == 0;  // the key, or Shift with it
        if (typeable) {
            if (!pressKey(LOBYTE(key), (HIBYTE(key) & 1) ? kShift : kNoModifier)) return false;
            continue;
        }
        std::vector<INPUT> events = {unicodeEvent(ch, false), unicodeEvent(ch, true)};
        if (!send(events)) return false;
    }
    return true;
}

}  // namespace kvdriver
