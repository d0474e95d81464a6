#include "system/system_options.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "text255.h"
#include "com_apartment.h"
#include "win_handles.h"

namespace kl {
namespace {

constexpr char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUserShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The "Desktop" value of a shell folder key, its variables expanded; nothing when missing.
bool ReadDesktopValue(const char* key, std::string& out) {
    const RegKey k = RegKey::Open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE);
    if (!k) return false;
    char buf[MAX_PATH * 2] = {};
    DWORD type = 0, size = sizeof buf - 1;
    if (RegQueryValueExA(k.get(), "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    out = buf;
    if (type == REG_EXPAND_SZ) {
        char expanded[MAX_PATH * 2] = {};
        const DWORD n = ExpandEnvironmentStringsA(buf, expanded, sizeof expanded);
        if (n > 0 && n <= sizeof expanded) out = expanded;
    }
    return true;
}

template <class T>
struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
};

bool CreateShortcut(const std::string& file, const std::string& target, const std::string& workingDir) {
    Com<IShellLinkA> link;
    EnsureComApartment();
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
        return false;
    link.p->SetPath(target.c_str());
    link.p->SetWorkingDirectory(workingDir.c_str());
    link.p->SetArguments("");
    link.p->SetDescription("Keyloom");
    link.p->SetShowCmd(SW_SHOWNORMAL);
    link.p->SetIconLocation(target.c_str(), 0);
    Com<IPersistFile> persist;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.p)))) return false;
    std::vector<wchar_t> wide(file.size() + 1, L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide.data(), static_cast<int>(wide.size())) == 0)
        return false;
    return SUCCEEDED(persist.p->Save(wide.data(), TRUE));
}

}  // namespace

std::string RunCommandLine(const std::string& programPath) {
    // Unquoted, a path with blanks would let Windows try "C:\Program.exe" first.
    if (programPath.find(' ') == std::string::npos) return programPath;
    return "\"" + programPath + "\"";
}

bool SetRunAtStartup(const std::string& name, const std::string& commandLine, bool on) {
    const RegKey key = RegKey::Create(HKEY_CURRENT_USER, kRunKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) return false;
    char existing[1024] = {};
    DWORD size = sizeof existing;
    LONG rc = RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(existing), &size);
    const bool exists = rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA;
    if (exists && !on) {
        rc = RegDeleteValueA(key.get(), name.c_str());
    } else if (!exists && on) {
        rc = RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(commandLine.c_str()),
                            static_cast<DWORD>(commandLine.size() + 1));
    } else if (rc == ERROR_MORE_DATA) {
        rc = ERROR_SUCCESS;
    }
    return rc == ERROR_SUCCESS;
}

std::string DesktopFolder() {
    std::string folder;
    if (!ReadDesktopValue(kShellFolders, folder)) ReadDesktopValue(kUserShellFolders, folder);
    if (folder.empty()) return folder;
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

bool SetDesktopShortcut(bool on, const std::string& target, const std::string& workingDir) {
    const std::string folder = DesktopFolder();
    if (folder.empty()) return false;
    const std::string file = folder + kShortcutFileName;
    const bool exists = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (exists && !on) return DeleteFileA(file.c_str()) != FALSE;
    if (!exists && on) return CreateShortcut(file, target, workingDir);
    return true;
}

}  // namespace kl
