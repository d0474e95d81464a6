#include "functions/cd_door.h"

#include <windows.h>

#include <string>

#include "fault_guard.h"
#include "functions/path_parts.h"

namespace kl::support {

namespace {

using MciSendStringFn = DWORD(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);

}  // namespace

void OpenCdDoor(SettingsBlock&, const Params& params) {
    const std::string folder = UpperAnsi(TrimBlanks(FolderPart(params.text())));
    if (folder.size() < 2 || folder[0] < 'A' || folder[0] > 'Z' || folder[1] != ':') return;
    HMODULE winmm = LoadLibraryA("winmm.dll");
    if (!winmm) return;
    if (auto send = reinterpret_cast<MciSendStringFn>(
            reinterpret_cast<void*>(GetProcAddress(winmm, "mciSendStringA")))) {
        const NestedDispatch driver;  // the device's driver is another module's code
        send("Set CDAudio Door Open", nullptr, 0, nullptr);
    }
    FreeLibrary(winmm);
}

}  // namespace kl::support
