#include "functions/function_table.h"

namespace kl::support {

// Filled in as the group's functions are built.
std::span<const FunctionEntry> LaunchFunctions() { return {}; }

}  // namespace kl::support
