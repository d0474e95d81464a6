// Deleting a registry key with everything below it.
#pragma once

#include <windows.h>

#include <string>

namespace kl::support {

// Paths shorter than this are refused, so that no top-level branch such as
// "Software\Microsoft" can ever be deleted by mistake.
inline constexpr std::size_t kMinDeletablePath = 25;

// Deletes the key `path` of `root` with its subkeys and values. Returns false
// when the path is refused or the key could not be deleted.
bool DeleteKeyTree(HKEY root, const std::string& path);

}  // namespace kl::support
