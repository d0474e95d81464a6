#include "macro/recording.h"

#include <windows.h>

#include "macro/journal_hooks.h"
#include "notify.h"
#include "text255.h"

namespace kl::support {
namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

std::uint32_t StoredHotkeyFunction(std::int32_t key, std::int32_t modifier) {
    using Registered = std::int32_t(WINAPI*)(std::uint32_t, std::int32_t);
    using Get = BOOL(WINAPI*)(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, char*, char*);
    const HMODULE self = ThisModule();
    const auto registered = reinterpret_cast<Registered>(reinterpret_cast<void*>(GetProcAddress(self, "RegisteredHotkeyEx")));
    const auto get = reinterpret_cast<Get>(reinterpret_cast<void*>(GetProcAddress(self, "GetHotkey")));
    if (!registered || !get) return 0;
    const std::int32_t id = registered(static_cast<std::uint32_t>(key), modifier);
    if (!id) return 0;
    std::int32_t mod = 0, k = 0, function = 0;
    char description[1024], parameters[1024];
    if (!get(id, &mod, &k, &function, description, parameters)) return 0;
    return static_cast<std::uint32_t>(function);
}

HotkeyFunctionLookup& Lookup() {
    static HotkeyFunctionLookup lookup = StoredHotkeyFunction;
    return lookup;
}

bool IsModifier(std::uint32_t key) {
    switch (key) {
        case 16: case 160: case 161: case 17: case 162: case 163: case 18: case 164: case 165: case 91: case 92:
            return true;
        default: return false;
    }
}

std::int32_t ModifierBit(std::uint32_t key) {
    switch (key) {
        case 16: case 160: case 161: return kModShift;
        case 17: case 162: case 163: return kModCtrl;
        case 18: case 164: case 165: return kModAlt;
        case 91: case 92: return kModWin;
        default: return 0;
    }
}

bool IsKeyDown(std::uint32_t message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

}  // namespace

void SetHotkeyFunctionLookup(HotkeyFunctionLookup lookup) {
    Lookup() = lookup ? std::move(lookup) : HotkeyFunctionLookup(StoredHotkeyFunction);
}

bool StartRecording(SettingsBlock& block) {
    if (block.JournalHook) return false;
    block.SysModal = 0;
    block.CurrentStatus = kStatusRecording;
    block.JournalMode = 1;
    block.MacroInterval = 0;
    block.MacroPosition = 0;
    block.MacroLength = 0;
    block.MacroRepeat = 1;
    SetText255(block.MacroName, "default");
    block.LastStatus = block.CurrentStatus;
    SetText255(block.StatusText, "Started recording");
    for (MacroEvent& e : block.MacroEvents) e.Message = 0;

    const HMODULE module = HookModuleOf(block);
    const FARPROC proc = module ? GetProcAddress(module, "KLJournalRecordProc") : nullptr;
    if (proc) {
        const HHOOK hook = g_installJournalHook(WH_JOURNALRECORD, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(proc)), module, 0);
        block.JournalHook = HandleWord(hook);
        // Journal hooks are refused on newer systems: record the keyboard ourselves.
        if (!hook) StartKeyboardRecorder(block);
        if (block.JournalHook) NotifyMainWindow(block, block.IconRecording, kNotifyIcon);
    }
    if (!block.JournalHook) block.JournalMode = 0;  // nothing records: do not claim to
    return block.JournalHook != 0;
}

bool StopRecording(SettingsBlock& block) {
    if (!block.JournalHook) return false;
    block.CurrentStatus = kStatusRecording;
    block.MacroRepeat = 1;
    block.MacroPosition = 0;
    block.MacroInterval = 0;
    block.LastStatus = kStatusRecording;
    SetText255(block.StatusText, "Stopped recording");
    const bool removed = RemoveJournalHook(block);
    block.JournalMode = 0;
    TrimRecording(block);
    NotifyMainWindow(block, block.IconDefault, kNotifyIcon);
    return removed;
}

void TrimRecording(SettingsBlock& block) {
    const std::int32_t length = block.MacroLength;
    if (block.JournalHook || length < 2) return;
    const std::int32_t n = length > kMacroEventCapacity ? kMacroEventCapacity : length;
    // The stopping hotkey is the last ordinary key with the modifiers held when
    // it went down.
    std::int32_t held = 0, modifiers = 0;
    std::uint32_t lastKey = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        const MacroEvent& e = block.MacroEvents[i];
        if (!e.Message) continue;
        const std::uint32_t key = e.ParamL & 0xFF;
        if (IsModifier(key)) {
            if (IsKeyDown(e.Message)) held |= ModifierBit(key);
            else held &= ~ModifierBit(key);
        } else if (IsKeyDown(e.Message)) {
            lastKey = key;
            modifiers = held;
        }
    }
    const std::uint32_t function = Lookup()(static_cast<std::int32_t>(lastKey), modifiers);
    if (function < 96 || function > 99) return;
    // Among the last four events erase that key and the presses of its
    // modifiers; the release of a modifier belongs to earlier keys and ends the search.
    for (std::int32_t i = n - 1; i >= 0 && i >= n - 4; --i) {
        MacroEvent& e = block.MacroEvents[i];
        const std::uint32_t key = e.ParamL & 0xFF;
        if (IsModifier(key) && (ModifierBit(key) & modifiers)) {
            if (!IsKeyDown(e.Message)) break;
            e.Message = 0;
        } else if (key == lastKey) {
            e.Message = 0;
        }
    }
}

}  // namespace kl::support
