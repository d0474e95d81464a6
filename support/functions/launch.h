// Opening programs, documents, folders and addresses through the shell.
#pragma once

#include <string_view>

namespace kl::support {

// Result of Launch for an empty path.
inline constexpr int kLaunchEmptyPath = -1;

// Opens `path` with `arguments` and the window-system show command `show`.
// A shortcut (".lnk") is resolved first: its target, arguments, working folder
// and show command replace the given ones. The folder of the file becomes the
// process's current folder when it exists. Returns 0 on success, -1 for an
// empty path, otherwise the system error code of the failed shell call.
int Launch(std::string_view path, std::string_view arguments, int show);

}  // namespace kl::support
