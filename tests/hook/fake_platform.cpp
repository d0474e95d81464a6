#include "fake_platform.h"

#include <algorithm>
#include <cctype>

namespace kl::testing {
namespace {

FakeWorld g_world;

void Trace(const char* text) { g_world.traces.emplace_back(text); }
BOOL Post(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    g_world.posts.push_back({w, m, wp, lp});
    return TRUE;
}
SHORT AsyncKeyState(int vk) { return vk >= 0 && vk < 256 ? g_world.async[vk] : 0; }
// The thread's key state as SetKeyboardState left it, plus what the test set.
SHORT KeyState(int vk) {
    if (vk < 0 || vk >= 256) return 0;
    const BYTE written = g_world.keyboard[vk];
    return static_cast<SHORT>(g_world.toggles[vk] | ((written & 0x80) ? 0x8000 : 0) | (written & 1));
}
HWND ForegroundWindow() { return g_world.foreground; }
BOOL IsWindowHandle(HWND w) { return g_world.windows.count(w) != 0; }
BOOL BringToTopAsync(HWND w) {
    g_world.topped = w;
    return TRUE;
}
BOOL SetForeground(HWND w) {
    g_world.foreground = w;
    return TRUE;
}
BOOL Unhook(HHOOK h) {
    g_world.unhooked.push_back(h);
    return TRUE;
}
HWND Parent(HWND w) {
    auto it = g_world.windows.find(w);
    return it == g_world.windows.end() ? nullptr : it->second.parent;
}
BOOL WindowRect(HWND w, RECT* r) {
    auto it = g_world.windows.find(w);
    if (it == g_world.windows.end()) return FALSE;
    *r = it->second.rect;
    return TRUE;
}
int SystemMetric(int index) { return index == SM_CYSIZE ? g_world.captionButtonHeight : 0; }
BOOL Move(HWND w, int x, int y, int cx, int cy, BOOL) {
    auto it = g_world.windows.find(w);
    if (it == g_world.windows.end()) return FALSE;
    it->second.rect = RECT{x, y, x + cx, y + cy};
    return TRUE;
}
// A plain US layout: letters map to their capitals, digits to themselves.
SHORT VkFromChar(CHAR c) { return static_cast<SHORT>(std::toupper(static_cast<unsigned char>(c))); }
UINT MapVk(UINT code, UINT type) {
    if (type != 2) return 0;
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ? code : 0;
}
BOOL ReadKeyboardState(BYTE* s) {
    if (!g_world.keyboardReadable) return FALSE;
    std::copy(g_world.keyboard.begin(), g_world.keyboard.end(), s);
    return TRUE;
}
BOOL WriteKeyboardState(BYTE* s) {
    std::copy(s, s + 256, g_world.keyboard.begin());
    return TRUE;
}
BOOL WorkArea(RECT* r) {
    *r = g_world.workArea;
    return TRUE;
}
BOOL CursorPos(POINT* p) {
    *p = g_world.cursor;
    return TRUE;
}
BOOL PlaceCursor(int x, int y) {
    g_world.placements.push_back({x, y});
    g_world.cursor = {x, y};
    return TRUE;
}
void MoveMouseBy(int dx, int dy) { g_world.relativeMoves.push_back({dx, dy}); }
hook::ProgramContext& Programs() { return g_world.programs; }

const hook::Platform kFake{Trace,        Post,          AsyncKeyState, KeyState,   ForegroundWindow,
                           IsWindowHandle, BringToTopAsync, SetForeground, Unhook, Parent,
                           WindowRect,   SystemMetric,  Move,          VkFromChar, MapVk,
                           ReadKeyboardState, WriteKeyboardState, WorkArea, CursorPos, PlaceCursor,
                           MoveMouseBy,  Programs};

}  // namespace

bool FakeWorld::Traced(const std::string& text) const {
    return std::find(traces.begin(), traces.end(), text) != traces.end();
}

FakeWorld& World() { return g_world; }
const hook::Platform& FakePlatform() { return kFake; }

}  // namespace kl::testing
