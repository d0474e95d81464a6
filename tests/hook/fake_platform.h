// A recording stand-in for the Win32 calls of the hook procedures, so that
// their decisions can be checked without real input or real windows.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform.h"

namespace kl::testing {

struct Posted {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted&) const = default;
};

struct FakeWindow {
    RECT rect{};
    HWND parent = nullptr;
};

struct FakeWorld {
    std::vector<Posted> posts;
    std::vector<std::string> traces;
    std::vector<HHOOK> unhooked;
    std::map<HWND, FakeWindow> windows;
    std::array<SHORT, 256> async{};     // GetAsyncKeyState
    std::array<SHORT, 256> toggles{};   // GetKeyState, besides what `keyboard` holds
    std::array<BYTE, 256> keyboard{};   // the thread's keyboard state (Get/SetKeyboardState)
    bool keyboardReadable = true;
    HWND topped = nullptr;
    HWND foreground = nullptr;          // GetForegroundWindow, SetForegroundWindow
    int captionButtonHeight = 18;       // SM_CYSIZE
    RECT workArea{0, 0, 1280, 1000};
    POINT cursor{100, 100};
    std::vector<POINT> placements;      // SetCursorPos
    std::vector<POINT> relativeMoves;   // mouse_event
    hook::ProgramContext programs;      // the program "running" the hook and its filter view

    bool Traced(const std::string& text) const;
};

// The world the fake platform acts on; tests reset it with World() = {}.
FakeWorld& World();
const hook::Platform& FakePlatform();

inline HWND FakeHandle(UINT_PTR value) { return reinterpret_cast<HWND>(value); }

}  // namespace kl::testing
