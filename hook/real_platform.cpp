#include "platform.h"

#include "attach.h"

namespace kl::hook {
namespace {

// Plain forwarding functions: their addresses are link-time constants, so the
// table below lives in read-only data without any start-up code.
void Trace(const char* text) { OutputDebugStringA(text); }
BOOL Post(HWND w, UINT m, WPARAM wp, LPARAM lp) { return PostMessageA(w, m, wp, lp); }
SHORT AsyncKeyState(int vk) { return GetAsyncKeyState(vk); }
SHORT KeyState(int vk) { return GetKeyState(vk); }
HWND ForegroundWindow() { return GetForegroundWindow(); }
BOOL IsWindowHandle(HWND w) { return IsWindow(w); }
// BringWindowToTop waits until the window's thread has handled the change; a hung
// program would freeze the one the user is typing in. The asynchronous change is
// posted to that thread instead.
BOOL BringToTopAsync(HWND w) {
    return SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_ASYNCWINDOWPOS | SWP_NOMOVE | SWP_NOSIZE);
}
BOOL SetForeground(HWND w) { return SetForegroundWindow(w); }
BOOL Unhook(HHOOK h) { return UnhookWindowsHookEx(h); }
HWND Parent(HWND w) { return GetParent(w); }
BOOL WindowRect(HWND w, RECT* r) { return GetWindowRect(w, r); }
int SystemMetric(int i) { return GetSystemMetrics(i); }
BOOL Move(HWND w, int x, int y, int cx, int cy, BOOL repaint) { return MoveWindow(w, x, y, cx, cy, repaint); }
SHORT VkFromChar(CHAR c) { return VkKeyScanA(c); }
UINT MapVk(UINT code, UINT type) { return MapVirtualKeyA(code, type); }
BOOL ReadKeyboardState(BYTE* s) { return GetKeyboardState(s); }
BOOL WriteKeyboardState(BYTE* s) { return SetKeyboardState(s); }
BOOL WorkArea(RECT* r) { return SystemParametersInfoA(SPI_GETWORKAREA, 0, r, 0); }
BOOL CursorPos(POINT* p) { return GetCursorPos(p); }
BOOL PlaceCursor(int x, int y) { return SetCursorPos(x, y); }
void MoveMouseBy(int dx, int dy) {
    mouse_event(MOUSEEVENTF_MOVE, static_cast<DWORD>(dx), static_cast<DWORD>(dy), 0,
                static_cast<ULONG_PTR>(GetMessageExtraInfo()));
}
ProgramContext& Programs() { return g_process.programs; }

constexpr Platform kReal{Trace,          Post,            AsyncKeyState, KeyState,   ForegroundWindow,
                         IsWindowHandle, BringToTopAsync, SetForeground, Unhook,     Parent,
                         WindowRect,     SystemMetric,    Move,          VkFromChar, MapVk,
                         ReadKeyboardState, WriteKeyboardState, WorkArea, CursorPos, PlaceCursor,
                         MoveMouseBy,    Programs};

}  // namespace

const Platform& RealPlatform() { return kReal; }

}  // namespace kl::hook
