// Every hotkey that reaches the main window ends here: WM_HOTKEY, the notification
// code -11 and the tray menu's recently used list.
#include <cstdint>
#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "system/library_binding.h"
#include "system/active_profile_keys.h"
#include "system/support_calls.h"
#include "system/hotkey_pass_through.h"
#include "system/program_filter_sync.h"
#include "model/ui_language.h"
#include "model/profile_keys.h"
#include "registry_names.h"
#include "text255.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "window/startup.h"

namespace kl {
void TfrmMain::ExecuteHotkey(std::uint32_t id, bool addToRecent) {
    if (destroyed_) return;
    SettingsBlock* b = Block();
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
        if ((b = Block())) {
            b->SuppressStartMenu = kTrue;
            b->HotkeysSuspended = kFalse;
        }
        Status("Hotkey " + std::to_string(id));
        if ((b = Block()) && b->ConfirmHotkeys) MessageBeep(0);
        if (addToRecent && recent_.Add(static_cast<int>(id), description.data())) RebuildRecentMenu();
        CallExecuteFunctionEx(static_cast<std::uint32_t>(function), parameters.data());
    } catch (...) {
    }
}

void TfrmMain::mnCustomClick(int index) {
    const int id = recent_.IdAt(static_cast<std::size_t>(index));
    if (id > 0) ExecuteHotkey(static_cast<std::uint32_t>(id), false);
}

void TfrmMain::RebuildRecentMenu() {
    HMENU custom = menus_.mnCustom;
    if (!custom || destroyed_) return;
    while (GetMenuItemCount(custom) > 0) DeleteMenu(custom, 0, MF_BYPOSITION);
    const auto& entries = recent_.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        AppendMenuA(custom, MF_STRING, ids::mnCustomFirst + i, entries[i].caption.c_str());
}

void TfrmMain::OnHotkey(WPARAM wp, LPARAM lp) {
    const SettingsBlock* b = Block();
    if (!NotifyMessage() || !b || !b->KeyloomEnabled || b->HotkeysSuspended) return;
    int key = HIWORD(lp) & 0xFF;
    const int modifier = LOWORD(lp);
    if (key == 255) key = static_cast<int>(wp);
    // Rows for chosen programs decide by the program in front; none acting there
    // lets the combination through to it.
    const SimpleModeChoice choice = ChooseForProgram(*b, ProgramFilterView(), key, modifier, ForegroundProgramName());
    if (choice.kind == SimpleModeChoice::Kind::PassThrough) {
        PassHotkeyThrough(hwnd_, static_cast<int>(wp), static_cast<UINT>(modifier), static_cast<UINT>(key));
        return;
    }
    // Otherwise the hotkey of the combination by the rule ExecuteHotkeyEx follows: the
    // key's own index list, read in the registry.
    const int id = choice.kind == SimpleModeChoice::Kind::Run
                       ? choice.id
                       : HotkeyStore(ActiveProfileKeys().hotkeys, Block()).FindHotkeyID(key, modifier);
    // Combinations registered only to take them from the system find no hotkey.
    if (id > 0) ExecuteHotkey(static_cast<std::uint32_t>(id), true);
}

}  // namespace kl
