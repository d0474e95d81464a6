// A library that faults in its DllMain when it is loaded: a fault raised while
// the thread holds the loader's lock.
#include <windows.h>

namespace {
char* volatile g_nowhere = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) *g_nowhere = 1;
    return TRUE;
}
