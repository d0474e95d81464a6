#include "system/document_viewer.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "com_apartment.h"
#include "win_handles.h"

namespace kl {

bool OpenInViewer(const std::string& path) {
    char viewer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(kViewerVariable, viewer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        std::string command = "\"" + std::string(viewer) + "\" \"" + path + "\"";
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return true;
    }
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    EnsureComApartment();
    return ShellExecuteExA(&info) != FALSE;
}

}  // namespace kl
