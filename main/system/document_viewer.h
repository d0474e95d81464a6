// Showing a file to the user with the system's viewer for its kind.
#pragma once

#include <string>

namespace kl {

// When this environment variable names a program, that program is started with the
// file's path instead (the tests' way of seeing what would be shown, without a viewer).
inline constexpr char kViewerVariable[] = "KEYLOOM_VIEWER";

// Opens the file as the shell's "open" would; false when nothing could be started.
bool OpenInViewer(const std::string& path);

}  // namespace kl
