// The programs the user sees now: the executables of the visible top-level windows,
// as the program picker offers them.
#pragma once

#include <string>
#include <vector>

namespace kl {

// The executable paths of the processes that own a visible top-level window, this
// process's own left out, one entry per window (DistinctProgramNames makes the list).
std::vector<std::string> VisibleWindowPrograms();

// Their names, each once, sorted.
std::vector<std::string> RunningProgramNames();

}  // namespace kl
