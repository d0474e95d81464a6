// Writing a whole file at once.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kl {

// Creates or replaces the file with `contents`; false when it could not be written
// completely (the reason is then in GetLastError). The contents go into a new file
// beside the target first, which replaces the target only once it is written whole:
// a write that fails (a full disk, a share that went away) leaves the old file as it was.
bool WriteWholeFile(const std::string& path, std::string_view contents);

// The system's WriteFile, which tests replace to meet a full disk; null puts it back.
using FileWriteCall = BOOL(WINAPI*)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
void SetFileWriteCall(FileWriteCall call);

}  // namespace kl
