// Stands in for the program associated with the directory player's test
// files: shows a window titled "dirplay_target <file>" until it is asked to
// close (or half a minute has passed), then ends at once.
#include <windows.h>

#include <string>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;

LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    // Ending the process rather than destroying the window keeps closing instant.
    if (m == WM_CLOSE || (m == WM_TIMER && wp == kLifetimeTimer)) ExitProcess(0);
    return DefWindowProcA(w, m, wp, lp);
}

std::string Argument(const char* commandLine) {
    std::string arg(commandLine ? commandLine : "");
    while (!arg.empty() && (arg.back() == ' ' || arg.back() == '"')) arg.pop_back();
    std::size_t first = 0;
    while (first < arg.size() && (arg[first] == ' ' || arg[first] == '"')) ++first;
    return arg.substr(first);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = "KeyloomDirPlayTarget";
    RegisterClassA(&wc);
    const std::string title = "dirplay_target " + Argument(commandLine);
    HWND w = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 600, 100, 300, 200,
                             nullptr, nullptr, instance, nullptr);
    if (!w) return 1;
    ShowWindow(w, show == SW_HIDE ? SW_SHOWNORMAL : show);
    SetTimer(w, kLifetimeTimer, 30000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
