#include "window/process_messages.h"

#include <windows.h>

#include "window/main_window.h"

namespace kl {

void ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The main loop must still see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        // Keys typed meanwhile are handled as the main loop would: a page key or a
        // shortcut must not be lost because a status text was being shown.
        if (MainForm().PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace kl
