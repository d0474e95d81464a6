#include "functions/pointer.h"

#include <windows.h>

#include <algorithm>

#include "functions/window_message.h"

namespace kl::support {
namespace {

// The step from the block, kept to a range in which negating it cannot overflow.
int Step(const SettingsBlock& b) { return std::clamp<int>(b.MKSpeed, -32767, 32767); }

void MoveBy(int dx, int dy) {
    mouse_event(MOUSEEVENTF_MOVE, static_cast<DWORD>(dx), static_cast<DWORD>(dy), 0,
                static_cast<ULONG_PTR>(GetMessageExtraInfo()));
}

void Wheel(int amount) {
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(amount), 0);
}

// Sends the button's down and up messages to the foreground window at the
// pointer, nudged inside the window below its caption. A window that does not
// answer gets both posted, so that the click arrives whole once its program
// answers again; when it stops answering between the two, the up is posted.
void Click(UINT down, UINT up) {
    HWND w = GetForegroundWindow();
    POINT p{};
    if (!w || !GetCursorPos(&p) || !ScreenToClient(w, &p)) return;
    const int x = p.x + 4;
    const int y = p.y + GetSystemMetrics(SM_CYCAPTION) + 4;
    const LPARAM at = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    if (!WindowAnswers(w)) {
        PostMessageA(w, down, 0, at);
        PostMessageA(w, up, 0, at);
    } else if (SendWithinLimit(w, down, 0, at)) {
        SendWithinLimit(w, up, 0, at);
    } else {
        PostMessageA(w, up, 0, at);
    }
}

}  // namespace

void CentrePointer(SettingsBlock&, const Params&) {
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) return;
    // The middle of the work area, which need not start at the screen's corner.
    SetCursorPos(area.left + (area.right - area.left) / 2, area.top + (area.bottom - area.top) / 2);
}

void PointerToFocus(SettingsBlock&, const Params&) {
    HWND focus = GetFocus();
    RECT r{};
    if (focus && GetWindowRect(focus, &r)) SetCursorPos(r.left, r.top);
}

void LeftClick(SettingsBlock&, const Params&) { Click(WM_LBUTTONDOWN, WM_LBUTTONUP); }
void RightClick(SettingsBlock&, const Params&) { Click(WM_RBUTTONDOWN, WM_RBUTTONUP); }
void MiddleClick(SettingsBlock&, const Params&) { Click(WM_MBUTTONDOWN, WM_MBUTTONUP); }

void PointerUp(SettingsBlock& b, const Params&) { MoveBy(0, -Step(b)); }
void PointerDown(SettingsBlock& b, const Params&) { MoveBy(0, Step(b)); }
void PointerLeft(SettingsBlock& b, const Params&) { MoveBy(-Step(b), 0); }
void PointerRight(SettingsBlock& b, const Params&) { MoveBy(Step(b), 0); }
void WheelDown(SettingsBlock& b, const Params&) { Wheel(-Step(b)); }
void WheelUp(SettingsBlock& b, const Params&) { Wheel(Step(b)); }

void FocusUnderPointer(SettingsBlock&, const Params&) {
    POINT p{};
    if (!GetCursorPos(&p)) return;
    HWND w = WindowFromPoint(p);
    if (!w) return;
    // The child is looked up in the window's own client coordinates.
    POINT inside = p;
    ScreenToClient(w, &inside);
    HWND child = ChildWindowFromPoint(w, inside);
    SetFocus(child ? child : w);
}

}  // namespace kl::support
