#include "testing/process_memory.h"

#include <psapi.h>

namespace kl::testing {
namespace {

SIZE_T PrivateFromAddressSpace(HANDLE process) {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION m{};
    for (const char* at = nullptr; VirtualQueryEx(process, at, &m, sizeof m) == sizeof m;
         at = static_cast<const char*>(m.BaseAddress) + m.RegionSize) {
        if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
        if (m.RegionSize == 0) break;
    }
    return total;
}

}  // namespace

SIZE_T PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m)) {
        if (m.PrivateUsage) return m.PrivateUsage;
        if (m.PagefileUsage) return m.PagefileUsage;
    }
    return PrivateFromAddressSpace(process);
}

}  // namespace kl::testing
