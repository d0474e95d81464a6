// What an installation may leave in the user's profile: the files of the folders an
// installer writes to and every key and value of HKEY_CURRENT_USER and of the system's
// installer bookkeeping. Two snapshots compared give what was left or taken away.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace kl::testing {

class ProfileSnapshot {
public:
    // Takes the snapshot now.
    ProfileSnapshot();

    // Entries of `later` missing here ("+ ...") and entries here missing in `later`
    // ("- ..."): one line each. Windows Installer's own empty bookkeeping keys and
    // folders, made on its first use, are no difference.
    std::vector<std::string> Difference(const ProfileSnapshot& later) const;

private:
    void AddFolder(const std::string& folder, bool recursive);
    void AddKey(const char* rootName, HKEY root, const std::string& path);
    bool EmptyInstallerContainer(const std::string& entry) const;

    std::set<std::string> entries_;
};

// The system's folder of `csidl` (CSIDL_PROGRAMS, ...) with a trailing backslash.
std::string ShellFolder(int csidl);

}  // namespace kl::testing
