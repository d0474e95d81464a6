// A stand-in klhook.dll whose two hook procedures only pass everything on.
#include <windows.h>

extern "C" {

__declspec(dllexport) LRESULT CALLBACK KLGetMsgProc(int code, WPARAM wp, LPARAM lp) {
    return CallNextHookEx(nullptr, code, wp, lp);
}

// The half library (fakes-half) lacks the keyboard procedure.
#ifndef KL_FAKE_GETMSG_ONLY
__declspec(dllexport) LRESULT CALLBACK KLKbdHookProc(int code, WPARAM wp, LPARAM lp) {
    return CallNextHookEx(nullptr, code, wp, lp);
}
#endif

}  // extern "C"
