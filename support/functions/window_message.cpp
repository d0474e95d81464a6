#include "functions/window_message.h"

#include "fault_guard.h"

namespace kl::support {

bool SendWithinLimit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A window of this thread runs its procedure inside the call.
    const NestedDispatch dispatch;
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, kWindowAnswerLimitMs,
                               &answer) != 0;
}

bool WindowAnswers(HWND window) { return SendWithinLimit(window, WM_NULL, 0, 0); }

}  // namespace kl::support
