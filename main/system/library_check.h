// Whether a folder's libraries can serve this program, judged from their files before
// anything of them is loaded: the machine type of the executable image and the version
// resource. Another copy of the program (the other architecture, another version) may
// have stored its own folder as "DataDir".
#pragma once

#include <string>

namespace kl {

inline constexpr char kHookLibraryFile[] = "klhook.dll";
inline constexpr char kSupportLibraryFile[] = "klsupport.dll";

// True when klhook.dll and klsupport.dll of `folder` (with a trailing backslash) are
// images of this program's own architecture and carry its version.
bool HoldsOwnLibraries(const std::string& folder);

// The data folder for a stored "DataDir": the stored folder when it exists and holds
// this program's own libraries, else the program's folder. `storeBack` is set when the
// stored value should be replaced by the program's folder: a value that is missing or
// names a folder of other libraries (a folder that cannot be reached now is kept, as it
// may be back next time).
struct DataFolderChoice {
    std::string folder;  // with a trailing backslash
    bool storeBack = false;
};
DataFolderChoice ChooseDataFolder(const std::string& stored);

}  // namespace kl
