// A plain window for the end-to-end tests to give the focus to: it takes the
// foreground at start and appends every input message it receives, and its
// closing, as one line each to the log file named by its first argument.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

FILE* g_log = nullptr;

void Log(const char* what, unsigned long value) {
    if (!g_log) return;
    std::fprintf(g_log, "%s %lu\n", what, value);
    std::fflush(g_log);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: Log("down", static_cast<unsigned long>(wp)); break;
    case WM_KEYUP: case WM_SYSKEYUP: Log("up", static_cast<unsigned long>(wp)); break;
    case WM_CHAR: Log("char", static_cast<unsigned long>(wp)); break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: Log("button-down", msg); break;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: Log("button-up", msg); break;
    case WM_SIZE: Log("size", static_cast<unsigned long>(wp)); break;
    case WM_CLOSE: Log("close", 0); break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    std::string path = commandLine ? commandLine : "";
    if (!path.empty() && path.front() == '"') path = path.substr(1, path.find('"', 1) - 1);
    if (!path.empty()) g_log = std::fopen(path.c_str(), "a");

    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = "KeyloomE2ETarget";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, wc.lpszClassName, "Keyloom e2e target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200,
                             400, 300, nullptr, nullptr, instance, nullptr);
    if (!w) return 1;
    SetForegroundWindow(w);
    SetFocus(w);
    Log("ready", 0);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (g_log) std::fclose(g_log);
    return 0;
}
