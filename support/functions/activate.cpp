#include "functions/activate.h"

namespace kl::support {

void Activate(HWND window) {
    if (!window || !IsWindow(window)) return;
    if (IsWindowVisible(window)) {
        ShowWindow(window, SW_RESTORE);
    } else if (IsIconic(window)) {
        OpenIcon(window);
    } else if (!IsZoomed(window) && !IsWindowEnabled(window)) {
        EnableWindow(window, TRUE);
    }
    BringWindowToTop(window);
    SetForegroundWindow(window);
}

}  // namespace kl::support
