// Writing a whole file at once.
#pragma once

#include <string>
#include <string_view>

namespace kl {

// Creates or replaces the file with `contents`; false when it could not be written
// completely (the reason is then in GetLastError).
bool WriteWholeFile(const std::string& path, std::string_view contents);

}  // namespace kl
