#include "macro/text_macros.h"

#include <windows.h>

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

}  // namespace kl::support
