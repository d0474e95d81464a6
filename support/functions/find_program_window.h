// Finding the window of a running program by the name of one of its modules.
#pragma once

#include <windows.h>

#include <string_view>

namespace kl::support {

// The first visible top-level window whose process has the file name of
// `path` (trimmed, without regard to case) within one of its module file
// names; 0 when there is none or the name is empty.
HWND FindProgramWindow(std::string_view path);

}  // namespace kl::support
