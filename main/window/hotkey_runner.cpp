#include "window/hotkey_runner.h"

#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "system/active_profile_keys.h"
#include "system/support_calls.h"
#include "system/hotkey_pass_through.h"
#include "system/program_filter_sync.h"
#include "window/control_ids.h"
#include "window/startup.h"

namespace kl {

void HotkeyRunner::Execute(std::uint32_t id, bool addToRecent) {
    if (stopped_) return;
    SettingsBlock* b = block_();
    if (b && b->HotkeysSuspended) {
        Status("Not executing hotkey " + std::to_string(id));
        return;
    }
    // A failing function leaves the status text and goes no further.
    try {
        if (b) b->LastHotkey = static_cast<std::int32_t>(id);
        std::vector<char> description(kHotkeyTextBuffer, '\0'), parameters(kHotkeyTextBuffer, '\0');
        std::int32_t modifier = 0, key = 0, function = 0;
        if (!CallGetHotkey(static_cast<std::int32_t>(id), &modifier, &key, &function, description.data(),
                           parameters.data()))
            return;
        // The buffers are ours; never read past them whatever was written.
        description.back() = parameters.back() = '\0';
        if ((b = block_())) {
            b->SuppressStartMenu = kTrue;
            b->HotkeysSuspended = kFalse;
        }
        Status("Hotkey " + std::to_string(id));
        if ((b = block_()) && b->ConfirmHotkeys) MessageBeep(0);
        if (addToRecent && recent_.Add(static_cast<int>(id), description.data())) RebuildRecentMenu();
        CallExecuteFunctionEx(static_cast<std::uint32_t>(function), parameters.data());
    } catch (...) {
    }
}

void HotkeyRunner::RunRecent(int index) {
    const int id = recent_.IdAt(static_cast<std::size_t>(index));
    if (id > 0) Execute(static_cast<std::uint32_t>(id), false);
}

void HotkeyRunner::RebuildRecentMenu() {
    if (!recentMenu_ || stopped_) return;
    while (GetMenuItemCount(recentMenu_) > 0) DeleteMenu(recentMenu_, 0, MF_BYPOSITION);
    const auto& entries = recent_.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        AppendMenuA(recentMenu_, MF_STRING, ids::mnCustomFirst + i, entries[i].caption.c_str());
}

void HotkeyRunner::OnSystemHotkey(HWND window, WPARAM wp, LPARAM lp) {
    const SettingsBlock* b = block_();
    if (!NotifyMessage() || !b || !b->KeyloomEnabled || b->HotkeysSuspended) return;
    int key = HIWORD(lp) & 0xFF;
    const int modifier = LOWORD(lp);
    if (key == 255) key = static_cast<int>(wp);
    // Rows for chosen programs decide by the program in front; none acting there
    // lets the combination through to it. Without such rows nothing needs the program.
    const SimpleModeChoice choice = ProgramFilterLimitsAnything()
                                        ? ChooseForProgram(*b, ProgramFilterView(), key, modifier, ForegroundProgramName())
                                        : SimpleModeChoice{};
    if (choice.kind == SimpleModeChoice::Kind::PassThrough) {
        PassHotkeyThrough(window, static_cast<int>(wp), static_cast<UINT>(modifier), static_cast<UINT>(key));
        return;
    }
    const int id = choice.kind == SimpleModeChoice::Kind::Run ? choice.id : FindHotkeyOf(key, modifier);
    // Combinations registered only to take them from the system find no hotkey.
    if (id > 0) Execute(static_cast<std::uint32_t>(id), true);
}

// The hotkey of the combination by the rule ExecuteHotkeyEx follows: the key's own
// index list, read in the registry.
int HotkeyRunner::FindHotkeyOf(int key, int modifier) const {
    return HotkeyStore(ActiveProfileKeys().hotkeys, block_()).FindHotkeyID(key, modifier);
}

}  // namespace kl
