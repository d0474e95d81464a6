// The folder of the running program, with a trailing backslash.
#pragma once

#include <string>

namespace kl {

std::string ProgramDirectory();

// True when `path` names a folder that exists now.
bool IsExistingDirectory(const std::string& path);

}  // namespace kl
