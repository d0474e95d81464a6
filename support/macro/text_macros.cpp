#include "macro/text_macros.h"

#include <windows.h>

#include <memory>

#include "macro/counter.h"
#include "macro/journal_hooks.h"
#include "macro/playback.h"
#include "text255.h"

namespace kl::support {

void TypeText(SettingsBlock& b, std::string_view text, std::int32_t repeat, std::int32_t startMode,
              const TypingServices& services) {
    if (text.empty() || CancelPendingPlayback(b)) return;
    SetText255(b.MacroName, "sendkeys");
    b.MacroLength = 0;
    MacroWriter out(b.MacroEvents, HandleWord(GetForegroundWindow()));
    const std::string expanded = ExpandTypingTokens(std::string(text), services.nextNumber);
    TranslateTyping(expanded, out, services);
    b.MacroLength = out.count();
    b.MacroRepeat = repeat;
    b.MacroInterval = 0;
    b.MacroPosition = 0;
    StartMacro(b, startMode);
}

void PlayEventText(SettingsBlock& b, std::string_view text, std::int32_t repeat, std::int32_t interval,
                   std::int32_t startMode, const KeyNameLookup& keyName) {
    b.MacroLength = 0;
    b.MacroRepeat = 1;
    if (text.empty() || CancelPendingPlayback(b)) return;
    SetText255(b.MacroName, "tarn");
    b.MacroPosition = 0;
    MacroWriter out(b.MacroEvents, HandleWord(GetForegroundWindow()));
    CompileEvents(UpperTrim(text), out, keyName);
    b.MacroLength = out.count();
    if (out.count() == 0) return;
    b.MacroRepeat = repeat;
    b.MacroInterval = interval;
    SetText255(b.MacroName, "tarn");
    StartMacro(b, startMode);
}

KeyNameLookup ProgramKeyNames(const SettingsBlock& b) {
    // Shared so that the lookup reads the file at most once per translation.
    auto file = std::make_shared<KeyNamesFile>(GetText255(b.DataDir));
    return [file](std::string_view name) { return (*file)(name); };
}

TypingServices ProgramTypingServices(SettingsBlock& b) {
    TypingServices s;
    s.keyName = ProgramKeyNames(b);
    s.executeHotkey = [&b](std::int32_t id) { RunHotkeyById(b, id); };
    s.nextNumber = [&b] { return NextNumber(b, 0, 1); };
    return s;
}

bool RunHotkeyById(SettingsBlock& b, std::int32_t id) {
    SetText255(b.StatusText, "Executing Hotkey by ID");
    if (id == 0) {
        SetText255(b.StatusText, "Hotkey not recognized");
        return false;
    }
    // The hotkey lookup and the dispatcher are this library's own exports.
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&RunHotkeyById), &self);
    using Get = BOOL(WINAPI*)(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, char*, char*);
    using Execute = std::int32_t(WINAPI*)(std::uint32_t, const char*);
    const auto get = reinterpret_cast<Get>(reinterpret_cast<void*>(GetProcAddress(self, "GetHotkey")));
    const auto execute = reinterpret_cast<Execute>(reinterpret_cast<void*>(GetProcAddress(self, "ExecuteFunctionEx")));
    if (!get || !execute) return true;
    std::int32_t modifier = 0, key = 0, function = 0;
    auto description = std::make_unique<char[]>(1024);
    auto parameters = std::make_unique<char[]>(1024);
    if (!get(id, &modifier, &key, &function, description.get(), parameters.get())) return true;
    b.LastHotkey = id;
    const bool wasSuspended = b.HotkeysSuspended != 0;
    b.HotkeysSuspended = kFalse;
    execute(static_cast<std::uint32_t>(function), parameters.get());
    b.HotkeysSuspended = wasSuspended ? kTrue : kFalse;
    return true;
}

}  // namespace kl::support
