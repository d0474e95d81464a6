// A stand-in klsupport.dll for the library binding's tests: canned hotkeys, a load
// that overwrites KeyloomEnabled, and counters of every call.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "settings_block.h"

namespace {

struct Canned {
    std::int32_t id, modifier, key;
    bool found;
};

// ID 2 and 4 use keys beyond the virtual-key range; ID 3 has no definition.
constexpr Canned kHotkeys[] = {
    {1, 2, 0x41, true}, {2, 0, 300, true}, {3, 0, 0, false}, {4, 1, 400, true}, {5, 3, 0x42, true}};

int g_loads = 0, g_saves = 0, g_executes = 0;
std::uint32_t g_lastFunction = 0;
char g_lastParameter[256] = {};
bool g_lastParameterNull = false;
std::int32_t g_loadResult = 1;
std::int32_t g_loadWritesEnabled = 0;

kl::SettingsBlock* MapBlock() {
    HANDLE m = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kl::kSettingsMapName);
    if (!m) return nullptr;
    void* v = MapViewOfFile(m, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    CloseHandle(m);
    return static_cast<kl::SettingsBlock*>(v);
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI LoadSettingsIntoMap() {
    ++g_loads;
    if (kl::SettingsBlock* b = MapBlock()) {
        b->KeyloomEnabled = g_loadWritesEnabled;
        UnmapViewOfFile(b);
    }
    return g_loadResult;
}

__declspec(dllexport) BOOL WINAPI SaveSettingsFromMap() {
    ++g_saves;
    return 7;
}

__declspec(dllexport) std::int32_t WINAPI ExecuteFunctionEx(std::uint32_t id, const char* parameter) {
    ++g_executes;
    g_lastFunction = id;
    g_lastParameterNull = parameter == nullptr;
    g_lastParameter[0] = '\0';
    if (parameter) lstrcpynA(g_lastParameter, parameter, sizeof g_lastParameter);
    return 1;
}

__declspec(dllexport) BOOL WINAPI GetHotkey(std::int32_t id, std::int32_t* modifier, std::int32_t* key,
                                            std::int32_t* function, char* description, char* parameters) {
    *modifier = *key = *function = 0;
    if (description) *description = '\0';
    if (parameters) *parameters = '\0';
    for (const Canned& c : kHotkeys) {
        if (c.id != id) continue;
        *modifier = c.modifier;
        *key = c.key;
        *function = c.found ? 10 : 0;
        return c.found;
    }
    return FALSE;
}

// Test controls.
__declspec(dllexport) void WINAPI FakeSetLoad(std::int32_t result, std::int32_t writesEnabled) {
    g_loadResult = result;
    g_loadWritesEnabled = writesEnabled;
}
__declspec(dllexport) std::int32_t WINAPI FakeCount(std::int32_t which) {
    return which == 0 ? g_loads : which == 1 ? g_saves : g_executes;
}
__declspec(dllexport) std::uint32_t WINAPI FakeLastExecute(char* parameter, BOOL* wasNull) {
    std::memcpy(parameter, g_lastParameter, sizeof g_lastParameter);
    *wasNull = g_lastParameterNull;
    return g_lastFunction;
}

}  // extern "C"
