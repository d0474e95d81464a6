#include "core/support_calls.h"

#include <windows.h>

#include "core/library_binding.h"

namespace kl {
namespace {

template <class Fn>
Fn* Export(const char* name) {
    return reinterpret_cast<Fn*>(reinterpret_cast<void*>(SupportExport(name)));
}

}  // namespace

std::int32_t CallExecuteFunctionEx(std::uint32_t functionId, const char* parameter) {
    auto fn = Export<std::int32_t WINAPI(std::uint32_t, const char*)>("ExecuteFunctionEx");
    return fn ? fn(functionId, parameter) : 0;
}

bool CallGetHotkey(std::int32_t id, std::int32_t* modifier, std::int32_t* key, std::int32_t* functionId,
                   char* description, char* parameters) {
    auto fn = Export<BOOL WINAPI(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, char*, char*)>(
        "GetHotkey");
    return fn && fn(id, modifier, key, functionId, description, parameters);
}

bool ReloadSettings() {
    SettingsBlock* b = Block();
    if (!b) return false;
    const bool wasEnabled = b->KeyloomEnabled != 0;
    bool loaded = false;
    if (auto fn = Export<BOOL WINAPI()>("LoadSettingsIntoMap")) loaded = (fn() & 0xFF) != 0;
    b->KeyloomEnabled = wasEnabled ? kTrue : kFalse;
    return loaded;
}

std::int32_t SaveSettings() {
    auto fn = Export<BOOL WINAPI()>("SaveSettingsFromMap");
    return fn ? fn() : 0;
}

}  // namespace kl
