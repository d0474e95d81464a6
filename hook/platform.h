// The Win32 calls the hook procedures make, gathered in one table so that the
// decisions can be exercised with a fake. RealPlatform() forwards each entry
// to the system; it is a constant table and needs no run-time initialisation.
#pragma once

#include <windows.h>

#include "handle_words.h"
#include "program_context.h"
#include "settings_block.h"

namespace kl::hook {

struct Platform {
    void (*Trace)(const char* text);  // OutputDebugStringA; called only through DebugTrace (trace.h)
    BOOL (*Post)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    SHORT (*AsyncKeyState)(int vk);
    SHORT (*KeyState)(int vk);
    HWND (*ForegroundWindow)();                   // GetForegroundWindow
    BOOL (*IsWindowHandle)(HWND window);
    BOOL (*BringToTopAsync)(HWND window);         // SetWindowPos(HWND_TOP), left to the window's own thread
    BOOL (*SetForeground)(HWND window);
    BOOL (*Unhook)(HHOOK hook);
    HWND (*Parent)(HWND window);
    BOOL (*WindowRect)(HWND window, RECT* rect);
    int (*SystemMetric)(int index);
    BOOL (*Move)(HWND window, int x, int y, int width, int height, BOOL repaint);
    SHORT (*VkFromChar)(CHAR ch);                 // VkKeyScanA
    UINT (*MapVk)(UINT code, UINT mapType);       // MapVirtualKeyA
    BOOL (*ReadKeyboardState)(BYTE* state);       // GetKeyboardState
    BOOL (*WriteKeyboardState)(BYTE* state);      // SetKeyboardState
    BOOL (*WorkArea)(RECT* rect);                 // SystemParametersInfoA(SPI_GETWORKAREA)
    BOOL (*CursorPos)(POINT* point);
    BOOL (*PlaceCursor)(int x, int y);            // SetCursorPos
    void (*MoveMouseBy)(int dx, int dy);          // mouse_event relative move with the message's extra info
    ProgramContext& (*Programs)();                // the process's name and program filter (attach.h)
};

const Platform& RealPlatform();

// Handles are kept in the block as 32-bit words.
inline HWND ToWindow(Handle32 h) { return WindowFromWord(h); }
inline HHOOK ToHook(Handle32 h) { return HandleFromWord<HHOOK>(h); }
inline Handle32 ToHandle32(HWND h) { return WordFromHandle(h); }

}  // namespace kl::hook
