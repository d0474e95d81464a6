#include "profile_snapshot.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>

#include "win_handles.h"

namespace kl::testing {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

}  // namespace

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    std::string folder(path);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

ProfileSnapshot::ProfileSnapshot() {
    // The user's local application data (the temporary folder aside, which every
    // program writes to), the roaming one with the installer's files and the Start
    // menu, the desktop and the system's cache of installers. Wine links some profile
    // folders (the desktop, the templates) to the Linux home: they are not descended.
    AddFolder(ShellFolder(CSIDL_LOCAL_APPDATA), true);
    AddFolder(ShellFolder(CSIDL_APPDATA), false);
    AddFolder(ShellFolder(CSIDL_APPDATA) + "Microsoft\\", false);
    AddFolder(ShellFolder(CSIDL_APPDATA) + "Microsoft\\Installer\\", true);
    AddFolder(ShellFolder(CSIDL_STARTMENU), true);
    AddFolder(ShellFolder(CSIDL_DESKTOPDIRECTORY), false);
    AddFolder(ShellFolder(CSIDL_WINDOWS) + "Installer\\", true);
    AddKey("HKCU", HKEY_CURRENT_USER, "");
    AddKey("HKLM", HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Installer");
    AddKey("HKLM", HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
    AddKey("HKLM", HKEY_LOCAL_MACHINE, "Software\\Classes\\Installer");
}

void ProfileSnapshot::AddFolder(const std::string& folder, bool recursive) {
    if (folder.empty() || Lower(folder) == Lower(ShellFolder(CSIDL_LOCAL_APPDATA) + "Temp\\")) return;
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    entries_.insert("file " + folder);  // a folder that goes is listed too
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries_.insert("file " + folder + name + (isFolder ? "\\" : ""));
        if (isFolder && recursive) AddFolder(folder + name + "\\", true);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void ProfileSnapshot::AddKey(const char* rootName, HKEY root, const std::string& path) {
    RegKey key = RegKey::Open(root, path.c_str(), KEY_READ);
    if (!key) return;
    const std::string prefix = std::string("key ") + rootName + "\\" + path;
    entries_.insert(prefix);
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        entries_.insert(prefix + " : " + name);
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.emplace_back(name);
    }
    for (const std::string& sub : subkeys) AddKey(rootName, root, path.empty() ? sub : path + "\\" + sub);
}

bool ProfileSnapshot::EmptyInstallerContainer(const std::string& entry) const {
    // Windows Installer keeps its own bookkeeping in these places and creates the empty
    // keys and folders of it on its first use, as every Windows already has them.
    const std::string areas[] = {"key HKCU\\Software\\Microsoft\\Installer",
                                 "key HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\",
                                 "file " + ShellFolder(CSIDL_APPDATA) + "Microsoft\\Installer\\",
                                 "file " + ShellFolder(CSIDL_WINDOWS) + "Installer\\"};
    bool inArea = false;
    for (const std::string& area : areas) inArea = inArea || Lower(entry).rfind(Lower(area), 0) == 0;
    if (!inArea || (entry.rfind("file ", 0) == 0 && entry.back() != '\\')) return false;
    // Empty: below it only keys and folders, no value and no file.
    const std::string below = entry.back() == '\\' ? entry : entry + "\\";
    for (auto next = entries_.upper_bound(entry); next != entries_.end() && next->rfind(entry, 0) == 0; ++next) {
        if (next->rfind(entry + " : ", 0) == 0) return false;  // a value of the key itself
        if (next->rfind(below, 0) != 0) continue;             // a sibling with a longer name
        if (next->find(" : ") != std::string::npos) return false;
        if (next->rfind("file ", 0) == 0 && next->back() != '\\') return false;
    }
    return true;
}

std::vector<std::string> ProfileSnapshot::Difference(const ProfileSnapshot& later) const {
    std::vector<std::string> lines;
    for (const std::string& e : later.entries_)
        if (!entries_.count(e) && !later.EmptyInstallerContainer(e)) lines.push_back("+ " + e);
    for (const std::string& e : entries_)
        if (!later.entries_.count(e)) lines.push_back("- " + e);
    return lines;
}

}  // namespace kl::testing
