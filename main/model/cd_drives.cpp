#include <windows.h>

#include "model/catalogue.h"

namespace kl {

std::vector<std::string> CDDriveList() {
    std::vector<std::string> drives;
    const DWORD present = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(present & (1u << bit))) continue;
        const char letter = static_cast<char>('A' + bit);
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) == DRIVE_CDROM) drives.push_back(std::string{letter, ':', '\\'});
    }
    return drives;
}

}  // namespace kl
