// A program for the launching tests. It appends one line to the file named by
// KL_LAUNCH_LOG: its show command, its working folder and its arguments,
// separated by tabs. With KL_LAUNCH_STAY set it then shows a window titled
// "Keyloom launch target" until the window is closed (at most 30 seconds).
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

void AppendLine(const std::string& line) {
    char path[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("KL_LAUNCH_LOG", path, MAX_PATH)) return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || (message == WM_TIMER && wParam == 1)) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::string line = std::to_string(show) + "\t" + folder;
    for (int i = 1; i < __argc; ++i) line += std::string("\t") + __argv[i];
    AppendLine(line + "\n");

    if (!GetEnvironmentVariableA("KL_LAUNCH_STAY", folder, MAX_PATH)) return 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "KlLaunchTarget";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("KlLaunchTarget", "Keyloom launch target", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetTimer(window, 1, 30000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
