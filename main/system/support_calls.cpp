#include "system/support_calls.h"

#include <windows.h>

#include "system/library_binding.h"
#include "system/program_filter_sync.h"

namespace kl {
namespace {

template <class Fn>
Fn* Export(const char* name) {
    return reinterpret_cast<Fn*>(reinterpret_cast<void*>(SupportExport(name)));
}

// Calls the export `name` with `args` while the library is marked busy; `missing` when
// there is no such export.
template <class Result, class... Args>
Result Call(const char* name, Result missing, Args... args) {
    auto fn = Export<Result WINAPI(Args...)>(name);
    if (!fn) return missing;
    LibraryCall call;
    return fn(args...);
}

}  // namespace

std::int32_t CallExecuteFunctionEx(std::uint32_t functionId, const char* parameter) {
    return Call<std::int32_t>("ExecuteFunctionEx", 0, functionId, parameter);
}

bool CallGetHotkey(std::int32_t id, std::int32_t* modifier, std::int32_t* key, std::int32_t* functionId,
                   char* description, char* parameters) {
    return Call<BOOL>("GetHotkey", FALSE, id, modifier, key, functionId, description, parameters) != FALSE;
}

bool ReloadSettings() {
    SettingsBlock* b = Block();
    if (!b) return false;
    const bool wasEnabled = b->KeyloomEnabled != 0;
    const bool loaded = (Call<BOOL>("LoadSettingsIntoMap", FALSE) & 0xFF) != 0;
    RefreshProgramFilter();
    b->KeyloomEnabled = wasEnabled ? kTrue : kFalse;
    return loaded;
}

std::int32_t SaveSettings() {
    return Call<BOOL>("SaveSettingsFromMap", FALSE);
}

bool ProbeJournalPlayback() { return Call<BOOL>("ProbeJournalPlayback", FALSE) != FALSE; }

}  // namespace kl
