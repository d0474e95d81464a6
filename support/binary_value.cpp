#include "binary_value.h"

#include "win_handles.h"

namespace kl::support {

bool ReadBinaryValue(HKEY root, const char* path, const char* name, void* buffer, DWORD size) {
    if (!buffer || size == 0) return false;
    const RegKey key = RegKey::Open(root, path, KEY_QUERY_VALUE);
    if (!key) return false;
    DWORD needed = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, &needed) != ERROR_SUCCESS) return false;
    if (needed == 0 || needed > size) return false;
    DWORD got = needed;
    return RegQueryValueExA(key.get(), name, nullptr, nullptr, static_cast<BYTE*>(buffer), &got) == ERROR_SUCCESS &&
           got <= size;
}

}  // namespace kl::support
