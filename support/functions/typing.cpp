// Recording and playing macros, and the functions that type: 96, 97, 99, 100,
// 101, 160, 161, 164.
#include <windows.h>

#include <memory>
#include <string>

#include "functions/function_table.h"
#include "hotkey_execution.h"
#include "macro/counter.h"
#include "macro/date_format.h"
#include "macro/playback.h"
#include "macro/recording.h"
#include "macro/text_macros.h"
#include "text255.h"

namespace kl::support {
namespace {

// Key names from "keynames.txt" of the data directory, read at most once per translation.
KeyNameLookup ProgramKeyNames(const SettingsBlock& b) {
    auto file = std::make_shared<KeyNamesFile>(GetText255(b.DataDir));
    return [file](std::string_view name) { return (*file)(name); };
}

TypingServices ProgramTypingServices(SettingsBlock& b) {
    TypingServices s;
    s.keyName = ProgramKeyNames(b);
    s.executeHotkey = [](std::int32_t id) { ExecuteHotkeyByID(id); };
    s.nextNumber = [&b] { return NextNumber(b, 0, 1); };
    return s;
}

// Field 3 of the repeating functions: milliseconds between two runs. The main
// window's timer takes -1 and -2 as control codes, so no interval is negative.
std::int32_t RepeatInterval(const Params& p) {
    const std::int32_t ms = p.Number(3);
    return ms > 0 ? ms : 0;
}

void RecordMacro(SettingsBlock& b, const Params&) {
    if (b.JournalHook) StopRecording(b);
    else StartRecording(b);
}

void PlayRecordedMacro(SettingsBlock& b, const Params&) { PlayMacro(b); }

void TypeNextNumber(SettingsBlock& b, const Params& p) {
    const std::int32_t n = NextNumber(b, p.Number(1), p.Number(2));
    TypeText(b, std::to_string(n), 1, 0, ProgramTypingServices(b));
}

void PlayEvents(SettingsBlock& b, const Params& p) {
    PlayEventText(b, p.Field(1), 1, 0, p.Number(2), ProgramKeyNames(b));
}

void RepeatEvents(SettingsBlock& b, const Params& p) {
    PlayEventText(b, p.Field(1), -1, RepeatInterval(p), p.Number(2), ProgramKeyNames(b));
}

void TypeTextFunction(SettingsBlock& b, const Params& p) {
    TypeText(b, p.Field(1), 1, p.Number(2), ProgramTypingServices(b));
}

void TypeDateTime(SettingsBlock& b, const Params& p) {
    std::string_view pattern = p.Trimmed(1);
    if (pattern.empty()) pattern = "c";
    SYSTEMTIME now{};
    GetLocalTime(&now);
    TypeText(b, FormatDateTime(pattern, now), 1, 0, ProgramTypingServices(b));
}

void RepeatText(SettingsBlock& b, const Params& p) {
    TypeText(b, p.Field(1), -1, p.Number(2), ProgramTypingServices(b));
    b.MacroInterval = RepeatInterval(p);
}

constexpr FunctionEntry kTyping[] = {
    {96, RecordMacro},  {97, PlayRecordedMacro}, {99, TypeNextNumber},   {100, PlayEvents},
    {101, RepeatEvents}, {160, TypeTextFunction}, {161, TypeDateTime}, {164, RepeatText},
};

}  // namespace

std::span<const FunctionEntry> TypingFunctions() { return kTyping; }

}  // namespace kl::support
