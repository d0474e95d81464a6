// The folder of the running program, with a trailing backslash.
#pragma once

#include <string>

namespace kl {

std::string ProgramDirectory();

}  // namespace kl
