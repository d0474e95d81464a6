// The user's shell folders as the registry names them.
#pragma once

#include <string>

namespace kl::support {

// The folder of the value `name` of "Shell Folders", or when that value does
// not exist of "User Shell Folders" with its environment variables expanded;
// empty when neither gives one.
std::string UserShellFolder(const char* name);

}  // namespace kl::support
