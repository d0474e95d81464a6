// Export: fn_ShowHideClientArea.
#include <windows.h>

#include "block_view.h"
#include "export_guard.h"
#include "functions/roll_up.h"

using namespace kl::support;

extern "C" {

// False only when the block is not mapped.
BOOLEAN WINAPI fn_ShowHideClientArea(HWND window) {
    return Guarded<BOOLEAN>(TRUE, [window]() -> BOOLEAN {
        kl::SettingsBlock* b = Block();
        if (!b) return FALSE;
        ShowHideClientArea(*b, window);
        return TRUE;
    });
}

}  // extern "C"
