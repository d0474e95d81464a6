// klhook.dll is loaded into every process that receives input. It is built
// without the C and C++ runtimes: no exceptions, no allocation, no static
// constructors; it imports from KERNEL32 and USER32 only.
#include <windows.h>

#include "hook_block.h"

extern "C" BOOL WINAPI KLHookEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        kl::hook::AttachBlock();
    } else if (reason == DLL_PROCESS_DETACH) {
        kl::hook::DetachBlock();
    }
    return TRUE;
}
