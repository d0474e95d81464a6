// The least program that does the job of one of Keyloom's hotkeys: a hidden window, a
// tray icon and one system hotkey, Ctrl+Shift and the letter given as its argument
// (K without one), that minimises the foreground window. The speed bench times
// keyloom.exe against it on the same machine.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace {

constexpr char kTitle[] = "Keyloom bare hotkey";
constexpr UINT kTrayMessage = WM_APP + 1;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_HOTKEY:
        if (HWND foreground = GetForegroundWindow()) ShowWindow(foreground, SW_SHOWMINIMIZED);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const UINT key = commandLine && commandLine[0] >= 'A' && commandLine[0] <= 'Z' ? commandLine[0] : 'K';
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = "KeyloomBareHotkey";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                instance, nullptr);
    if (!hwnd) return 1;

    NOTIFYICONDATAA tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = hwnd;
    tray.uID = 1;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = kTrayMessage;
    tray.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    std::strcpy(tray.szTip, "bare");
    Shell_NotifyIconA(NIM_ADD, &tray);
    RegisterHotKey(hwnd, 1, MOD_CONTROL | MOD_SHIFT, key);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    UnregisterHotKey(hwnd, 1);
    Shell_NotifyIconA(NIM_DELETE, &tray);
    return 0;
}
