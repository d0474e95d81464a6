// Small file helpers and a bounded wait for tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kl::testing {

// The whole file, or empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& text);
bool PathExists(const std::string& path);
// Copies the files `names` of folder `from` into folder `to` (both with a trailing
// backslash); false when one could not be copied.
bool CopyFiles(const std::string& from, const std::string& to, const std::vector<std::string>& names);

// The file's lines without their line ends.
std::vector<std::string> ReadLines(const std::string& path);

// Polls `done` every 20 ms until it holds or `ms` have passed.
template <class Done>
bool WaitUntil(Done done, DWORD ms = 10000) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(20);
    }
}

// The folder of the running test executable, with a trailing backslash
// (the helper programs are built beside it).
std::string TestExeDir();

}  // namespace kl::testing
