// A window with one focused edit control, in a process of its own, for the
// macro tests to type into. Closes on WM_CLOSE.
#include <windows.h>

namespace {

HWND g_edit = nullptr;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_SETFOCUS:
            if (g_edit) SetFocus(g_edit);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, w, l);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.lpszClassName = "KeyloomMacroTarget";
    RegisterClassA(&wc);
    const HWND window = CreateWindowExA(0, wc.lpszClassName, "Keyloom macro target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        50, 50, 400, 200, nullptr, nullptr, instance, nullptr);
    g_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 380, 150,
                             window, nullptr, instance, nullptr);
    SetForegroundWindow(window);
    SetFocus(g_edit);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
