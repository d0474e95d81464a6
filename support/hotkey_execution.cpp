#include "hotkey_execution.h"

#include <windows.h>

#include "block_view.h"
#include "dispatcher.h"
#include "fault_guard.h"
#include "hotkey_lookup.h"
#include "text255.h"

namespace kl::support {
namespace {

constexpr char kExecutingHotkey[] = "Executing hotkey";
constexpr char kExecutingById[] = "Executing Hotkey by ID";
constexpr char kNotRecognized[] = "Hotkey not recognized";
constexpr char kNestedTooDeeply[] = "Hotkeys run by ID nested too deeply";

// Hotkeys running one another by ID on this thread: a text that names its own
// hotkey would otherwise recurse until the stack runs out.
thread_local int t_nesting = 0;

// One run by ID under way; a fault that ends the function running it ends the run too.
class NestingLevel {
public:
    NestingLevel() noexcept : level_(&t_nesting, t_nesting) { ++t_nesting; }

private:
    const RestoredState level_;
};

enum class HotkeyRun {
    Confirmed,  // beep when ConfirmHotkeys is set
    Nested,     // run by another hotkey's function: the busy flag is cleared for it
};

// The steps both entries share once the ID is known: the definition is read
// (GetHotkey's reading), and one that can run becomes the last hotkey and runs.
void RunStoredHotkey(SettingsBlock& b, std::int32_t id, HotkeyRun how) {
    const HotkeyRecord hotkey = ReadStoredHotkey(b, id);
    if (!hotkey.runnable) return;
    b.LastHotkey = id;
    const auto function = static_cast<std::uint32_t>(hotkey.functionId);
    if (how == HotkeyRun::Confirmed) {
        if (b.ConfirmHotkeys) MessageBeep(0);
        ExecuteFunctionById(function, hotkey.parameters.c_str());
        return;
    }
    // The busy flag comes back as it was before the nested call cleared it.
    const RestoredState suspended(&b.HotkeysSuspended, b.HotkeysSuspended ? kTrue : kFalse);
    b.HotkeysSuspended = kFalse;
    ExecuteFunctionById(function, hotkey.parameters.c_str());
}

}  // namespace

bool ExecuteHotkeyForKey(std::int32_t key, std::int32_t modifier, bool execute) {
    SettingsBlock* const b = Block();
    if (!b) return false;
    b->CurrentStatus = kStatusExecutingHotkey;
    SetText255(b->StatusText, kExecutingHotkey);

    const std::int32_t id = FindRegisteredHotkey(*b, static_cast<std::uint32_t>(key), modifier);
    if (id == 0) {
        SetText255(b->StatusText, kNotRecognized);
        return false;
    }
    if (execute) RunStoredHotkey(*b, id, HotkeyRun::Confirmed);
    return true;
}

bool ExecuteHotkeyByID(std::int32_t id) {
    SettingsBlock* const b = Block();
    if (!b) return false;
    SetText255(b->StatusText, kExecutingById);
    if (id == 0) {
        SetText255(b->StatusText, kNotRecognized);
        return false;
    }
    if (t_nesting >= kHotkeyNestingLimit) {
        SetText255(b->StatusText, kNestedTooDeeply);
        return false;
    }
    const NestingLevel level;
    RunStoredHotkey(*b, id, HotkeyRun::Nested);
    return true;
}

}  // namespace kl::support
