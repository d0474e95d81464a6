// klsetup.dll: the installer's own steps, run by Windows Installer in the user's
// session. Never installed: it travels inside the package.
//   CloseKeyloom    before an uninstall: a running keyloom.exe of the installed folder is
//                   asked to end (it saves its options then), so no file stays in use
//                   and nothing is written after the settings are gone. The uninstall
//                   goes on only once it has ended: a program that waits for an answer
//                   in one of its boxes ends only after it. The user is told so and may
//                   retry or cancel; a silent uninstall fails.
//   RemoveUserData  after an uninstall: what the program wrote itself. Its settings
//                   ("Software\Corvane\Keyloom") unless the user keeps them (asked, or
//                   KEEPSETTINGS=1 when silent; kept, they lose only the data folder
//                   value naming the removed folder), its start-with-Windows value and
//                   its desktop shortcut when they point into the installed folder.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>
#include <objbase.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "system/shell_links.h"
#include "system/system_options.h"
#include "ui/app_identity.h"
#include "win_handles.h"

namespace {

constexpr char kSettingsKey[] = "Software\\Corvane\\Keyloom";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kParentKey[] = "Software\\Corvane";
// How long a running program is given to end.
constexpr DWORD kEndWaitMs = 15000;
constexpr char kStillRunning[] =
    "Keyloom is still running, perhaps waiting for an answer in one of its windows. Answer or close it "
    "(File > Exit), then choose Retry. Cancel stops the uninstall.";

std::string Property(MSIHANDLE install, const char* name) {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (MsiGetPropertyA(install, name, value, &size) != ERROR_SUCCESS) return {};
    return value;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// True when `path` (a command line or a file name, quoted or not) lies in `folder`.
bool InFolder(const std::string& path, const std::string& folder) {
    if (folder.empty()) return false;
    std::string p = Lower(path);
    p.erase(std::remove(p.begin(), p.end(), '"'), p.end());
    return p.rfind(Lower(folder), 0) == 0;
}

bool Silent(MSIHANDLE install) { return Property(install, "UILevel") == "2"; }

// Keep the settings? KEEPSETTINGS decides when set; otherwise the user is asked, and a
// silent uninstall removes them.
bool KeepSettings(MSIHANDLE install) {
    const std::string keep = Property(install, "KEEPSETTINGS");
    if (!keep.empty()) return keep != "0";
    if (Silent(install)) return false;
    PMSIHANDLE question = MsiCreateRecord(0);
    MsiRecordSetStringA(question, 0,
                        "Keep your Keyloom settings (hotkeys, options and profiles) for a later installation?");
    return MsiProcessMessage(install, INSTALLMESSAGE(INSTALLMESSAGE_USER | MB_YESNO | MB_ICONQUESTION), question) ==
           IDYES;
}

void RemoveSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    // The maker's key goes too when nothing else lives in it.
    if (kl::RegKey parent = kl::RegKey::Open(HKEY_CURRENT_USER, kParentKey, KEY_READ)) {
        DWORD subkeys = 1, values = 1;
        RegQueryInfoKeyA(parent.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr);
        parent = kl::RegKey();
        if (subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_CURRENT_USER, kParentKey);
    }
}

void RemoveRunValue(const std::string& folder) {
    kl::RegKey run = kl::RegKey::Open(HKEY_CURRENT_USER, kRunKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!run) return;
    char command[1024] = {};
    DWORD size = sizeof command - 1, type = 0;
    if (RegQueryValueExA(run.get(), "Keyloom", nullptr, &type, reinterpret_cast<BYTE*>(command), &size) ==
            ERROR_SUCCESS &&
        InFolder(command, folder))
        RegDeleteValueA(run.get(), "Keyloom");
}

void RemoveDesktopShortcut(const std::string& folder) {
    const std::string desktop = kl::DesktopFolder();
    if (desktop.empty()) return;
    const std::string link = desktop + "Keyloom.lnk";
    const HRESULT com = CoInitialize(nullptr);
    kl::ShortcutInfo info;
    if (kl::ReadShortcut(link, info) && InFolder(info.target, folder)) DeleteFileA(link.c_str());
    if (SUCCEEDED(com)) CoUninitialize();
}

// Kept settings must not send a later copy of the program to the removed folder for its
// data files and libraries: the data folder value goes when it names that folder.
void ForgetDataFolder(const std::string& folder) {
    kl::RegKey settings = kl::RegKey::Open(HKEY_CURRENT_USER, kSettingsKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!settings) return;
    char dir[1024] = {};
    DWORD size = sizeof dir - 1, type = 0;
    if (RegQueryValueExA(settings.get(), "DataDir", nullptr, &type, reinterpret_cast<BYTE*>(dir), &size) ==
            ERROR_SUCCESS &&
        InFolder(dir, folder))
        RegDeleteValueA(settings.get(), "DataDir");
}

// Asks every keyloom.exe of `folder` that shows its main window to end; their processes.
std::vector<kl::UniqueHandle> AskToEnd(const std::string& folder) {
    std::vector<kl::UniqueHandle> asked;
    for (HWND w = FindWindowA(kl::kMainWindowClass, nullptr); w; w = FindWindowExA(nullptr, w, kl::kMainWindowClass, nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        kl::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid));
        if (!process) continue;
        char image[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (!QueryFullProcessImageNameA(process.get(), 0, image, &size) || !InFolder(image, folder)) continue;
        PostMessageA(w, WM_CLOSE, 0, 0);
        asked.push_back(std::move(process));
    }
    return asked;
}

// Whether every process has ended within `ms` in all.
bool EndWithin(const std::vector<kl::UniqueHandle>& processes, DWORD ms) {
    const DWORD start = GetTickCount();
    for (const kl::UniqueHandle& process : processes) {
        const DWORD spent = GetTickCount() - start;
        if (WaitForSingleObject(process.get(), spent < ms ? ms - spent : 0) != WAIT_OBJECT_0) return false;
    }
    return true;
}

void Log(MSIHANDLE install, const char* text) {
    PMSIHANDLE line = MsiCreateRecord(0);
    MsiRecordSetStringA(line, 0, text);
    MsiProcessMessage(install, INSTALLMESSAGE_INFO, line);
}

}  // namespace

extern "C" UINT __stdcall CloseKeyloom(MSIHANDLE install) {
    const std::string folder = Property(install, "INSTALLDIR");
    for (;;) {
        if (EndWithin(AskToEnd(folder), kEndWaitMs)) return ERROR_SUCCESS;
        Log(install, kStillRunning);
        if (Silent(install)) return ERROR_INSTALL_FAILURE;
        PMSIHANDLE question = MsiCreateRecord(0);
        MsiRecordSetStringA(question, 0, kStillRunning);
        const int answer = MsiProcessMessage(
            install, INSTALLMESSAGE(INSTALLMESSAGE_USER | MB_RETRYCANCEL | MB_ICONWARNING), question);
        if (answer == IDCANCEL) return ERROR_INSTALL_USEREXIT;
        if (answer != IDRETRY) return ERROR_INSTALL_FAILURE;  // nobody could be asked
    }
}

extern "C" UINT __stdcall RemoveUserData(MSIHANDLE install) {
    const std::string folder = Property(install, "INSTALLDIR");
    if (KeepSettings(install))
        ForgetDataFolder(folder);
    else
        RemoveSettings();
    RemoveRunValue(folder);
    RemoveDesktopShortcut(folder);
    return ERROR_SUCCESS;
}
