// Reads a registry value of any type as raw bytes into a caller's buffer.
#pragma once

#include <windows.h>

namespace kl::support {

// Opens root\path for query, and reads the value only when its size is nonzero
// and fits the buffer. True when the buffer was filled; nothing is reported.
bool ReadBinaryValue(HKEY root, const char* path, const char* name, void* buffer, DWORD size);

}  // namespace kl::support
