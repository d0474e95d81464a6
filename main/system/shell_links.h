// Opening things the way the shell does, and reading shortcut (.lnk) files.
#pragma once

#include <string>

namespace kl {

// 0 on success, the system error code on failure, -1 for an empty target.
int ShellOpen(const std::string& target, const std::string& parameters, int showCommand);

struct ShortcutInfo {
    std::string target, workingDirectory, arguments, description;  // each at most 255 characters
    int showCommand = 0;
    int iconIndex = 0;
};

// True when the file exists and could be read as a shortcut.
bool ReadShortcut(const std::string& path, ShortcutInfo& out);

}  // namespace kl
