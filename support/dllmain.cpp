#include <windows.h>

#include "block_view.h"
#include "fault_guard.h"
#include "functions/media_player.h"
#include "macro/playback.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            kl::support::MapBlock();
            kl::support::InstallFaultGuard();
            break;
        case DLL_PROCESS_DETACH:
            kl::support::EndMacroActivity();  // no timer or hook may call into the unloaded library
            kl::support::CancelPlayerStart();
            kl::support::UnmapBlock();
            kl::support::RemoveFaultGuard();
            break;
        default: break;
    }
    return TRUE;
}
