// The macro commands of the main menu's Macros menu and the tray menu's Macros
// submenu: save the block's macro to a file, load it back, and convert its keystrokes
// into a new hotkey that types them.
#pragma once

#include <windows.h>

#include <functional>

#include "window/block_access.h"

namespace kl {

class MacroCommands {
public:
    // `newHotkey` opens the hotkey editor for a new hotkey, as File > New > Hotkey does.
    MacroCommands(BlockAccess block, std::function<int()> newHotkey)
        : block_(block), newHotkey_(std::move(newHotkey)) {}
    // The window that owns the boxes and file dialogs.
    void SetOwner(HWND owner) { owner_ = owner; }
    // mnLoadMacro, mnSaveMacro and mnConvertMacro; false for any other command.
    bool OnCommand(int id);

private:
    void Save();
    void Load();
    void ConvertToHotkey();

    BlockAccess block_;
    std::function<int()> newHotkey_;
    HWND owner_ = nullptr;
};

}  // namespace kl
