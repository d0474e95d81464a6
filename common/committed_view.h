// Whether a mapped view can hold the block. Another program may create the
// mapping's name first: its mapping may be smaller than the block, or only
// reserved (SEC_RESERVE), and the first access to a page that is not committed
// faults in the process that touches it. Header only, KERNEL32 only: klhook.dll
// uses it without a runtime.
#pragma once

#include <windows.h>

#include <cstddef>

namespace kl {

enum class ViewAccess { ReadWrite, Read };

// True when every byte from `view` to `view + size` lies in the view itself, on
// committed pages that allow `access` (a view mapped for reading only has
// read-only pages). Pages committed at different times or with other
// protections form several regions, so the walk goes region by region.
inline bool ViewCommittedFor(const void* view, std::size_t size, ViewAccess access = ViewAccess::ReadWrite) {
    constexpr DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    constexpr DWORD kReadable = kWritable | PAGE_READONLY | PAGE_EXECUTE_READ;
    const DWORD allowed = access == ViewAccess::Read ? kReadable : kWritable;
    const char* at = static_cast<const char*>(view);
    const char* const end = at + size;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info;
        if (VirtualQuery(at, &info, sizeof info) != sizeof info) return false;
        if (info.AllocationBase != view) return false;  // beyond the end of the view
        if (info.State != MEM_COMMIT) return false;
        if (!(info.Protect & allowed) || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS))) return false;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= at) return false;
        at = next;
    }
    return true;
}

}  // namespace kl
