// Reading a shortcut file through the shell's link object.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kl::support {

struct ShortcutTarget {
    std::string file;
    std::string arguments;
    std::string directory;
    int show = 1;
};

// The shortcut's target, arguments, working folder and show command, or
// nothing when the file cannot be loaded as a shortcut.
std::optional<ShortcutTarget> ReadShortcut(std::string_view linkPath);

}  // namespace kl::support
