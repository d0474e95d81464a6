// Where tools/package (the kl_package target) leaves this build's zip and installer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kl::testing {

// "Keyloom-<version>-<arch>".
std::string PackageName();
// build/<arch>/package/ with a trailing backslash.
std::string PackageDir();
// Every file and folder below `folder` with its size ("manual\", "keyloom.exe 746496"),
// sorted; file names in lower case.
std::vector<std::string> FolderContents(const std::string& folder);
// Runs a command line, waits at most `ms`; its exit code, or -1 when it did not start or end.
long RunCommand(const std::string& commandLine, DWORD ms = 120000);
// The full path of a process's program.
std::string ProcessImage(HANDLE process);
// Whether process `pid` shows a message box or dialog.
bool ShowsABox(DWORD pid);

}  // namespace kl::testing
