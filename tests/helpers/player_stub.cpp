// A stand-in media player for the player tests. KL_PLAYER_KIND chooses the
// windows: "classic" shows a window of class "Winamp v1.x"; "second" shows the
// "STUDIO" main window, the "Playlist" root window whose first child holds the
// list windows, and the "normal" root window owned by the volume window.
// Every command and key message that reaches a window is appended to the file
// named by KL_PLAYER_LOG as "<role> <message> <wParam> <lParam>". The stub
// ends when its main window is closed, or after 30 seconds.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

char g_log[MAX_PATH];

void Log(const char* role, UINT message, WPARAM wParam, LPARAM lParam) {
    char line[128];
    const int n = std::snprintf(line, sizeof line, "%s %u %u %lu\n", role, message, static_cast<unsigned>(wParam),
                                static_cast<unsigned long>(lParam));
    HANDLE file = CreateFileA(g_log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const char* role = static_cast<const char*>(GetPropA(window, "role"));
    if (!role) role = "?";
    switch (message) {
        case WM_COMMAND:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            Log(role, message, wParam, lParam);
            return 0;
        case WM_TIMER:
            if (wParam == 1) PostQuitMessage(0);
            return 0;
        case WM_DESTROY:
            if (GetPropA(window, "main")) PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Register(HINSTANCE instance, const char* name) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

HWND Make(HINSTANCE instance, const char* cls, const char* title, const char* role, HWND parent, DWORD style) {
    HWND w = CreateWindowA(cls, title, style, 20, 20, 200, 150, parent, nullptr, instance, nullptr);
    SetPropA(w, "role", const_cast<char*>(role));
    ShowWindow(w, SW_SHOWNOACTIVATE);
    return w;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char kind[16] = {};
    GetEnvironmentVariableA("KL_PLAYER_KIND", kind, sizeof kind);
    GetEnvironmentVariableA("KL_PLAYER_LOG", g_log, sizeof g_log);
    for (const char* cls : {"Winamp v1.x", "STUDIO", "BaseWindow_RootWnd", "KlPlayerPart"}) Register(instance, cls);

    HWND main = nullptr;
    if (std::string(kind) == "second") {
        main = Make(instance, "STUDIO", "Stub studio", "main", nullptr, WS_OVERLAPPEDWINDOW);
        HWND playlist = Make(instance, "BaseWindow_RootWnd", "Playlist", "playlist-root", nullptr, WS_OVERLAPPEDWINDOW);
        HWND holder = Make(instance, "KlPlayerPart", "holder", "holder", playlist, WS_CHILD);
        Make(instance, "KlPlayerPart", "list-a", "list-a", holder, WS_CHILD);
        HWND listB = Make(instance, "KlPlayerPart", "list-b", "list-b", holder, WS_CHILD);
        // The list window is the last of the holder's children.
        SetWindowPos(listB, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        HWND volume = Make(instance, "KlPlayerPart", "volume", "volume", nullptr, WS_OVERLAPPEDWINDOW);
        // An owned pop-up: its owner is what GetParent reports.
        Make(instance, "BaseWindow_RootWnd", "normal", "normal", volume, WS_POPUP | WS_CAPTION);
    } else {
        main = Make(instance, "Winamp v1.x", "Stub classic", "main", nullptr, WS_OVERLAPPEDWINDOW);
    }
    SetPropA(main, "main", reinterpret_cast<HANDLE>(1));
    SetTimer(main, 1, 30000, nullptr);
    MSG msg;
    // No TranslateMessage: the log is to show exactly the messages posted.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
