// klhook.dll is loaded into every process that receives input. It is built
// without the C and C++ runtimes: no exceptions, no allocation, no static
// constructors; it imports from KERNEL32 and USER32 only.
#include <windows.h>

#include "attach.h"

extern "C" BOOL WINAPI KLHookEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    using namespace kl::hook;
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        AttachToBlock(g_process);
        break;
    case DLL_PROCESS_DETACH:
        DetachFromBlock(g_process);
        break;
    default:
        break;
    }
    return TRUE;  // mapped or not, the copy loads
}
