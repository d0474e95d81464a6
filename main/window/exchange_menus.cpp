// The main menu's Macros menu and the File > Settings items of the exchange file, the
// report and the style, with their accelerators.
#include <string>
#include <vector>

#include "model/ui_language.h"
#include "window/control_ids.h"
#include "window/exchange_ids.h"
#include "window/main_menu.h"
#include "window/window_texts.h"

namespace kl {
namespace {

struct Entry {
    int id;  // 0: separator
    int text;
    const char* fallback;
    BYTE keyFlags;
    WORD key;
    const char* keyText;
};

// mmLoadMacro, mmSaveMacro, mmConvertMacro: the captions of their tray-menu twins.
const std::vector<Entry> kMacrosMenu = {
    {ids::mnLoadMacro, 100, "&Load macro...", FVIRTKEY | FSHIFT, VK_F9, "Shift+F9"},
    {ids::mnSaveMacro, 99, "&Save macro...", FVIRTKEY | FCONTROL, VK_F9, "Ctrl+F9"},
    {ids::mnConvertMacro, 101, "&Convert macro to hotkey...", FVIRTKEY, VK_F9, "F9"},
};

// Before Keyboard setup in File > Settings.
const std::vector<Entry> kSettingsItems = {
    {ids::mnImportSettings, 56, "&Import settings...", FVIRTKEY | FSHIFT, VK_F8, "Shift+F8"},
    {ids::mnExportSettings, 57, "&Export settings...", FVIRTKEY | FCONTROL, VK_F8, "Ctrl+F8"},
    {ids::mnPrintSettings, 58, "&Print settings", FVIRTKEY, VK_F8, "F8"},
    {0, -1, nullptr, 0, 0, nullptr},
    {ids::mmStyle, 104, "St&yle...", FVIRTKEY, VK_F12, "F12"},
};

std::string CaptionOf(const Entry& e) { return UiText(e.text, e.fallback) + "\t" + e.keyText; }

HMENU MacrosMenuOf(const MainMenus& m) {
    // The main menu's Macros menu is the one holding the load command but not the tray's.
    for (int i = 0, n = GetMenuItemCount(m.mmMain); i < n; ++i) {
        HMENU sub = GetSubMenu(m.mmMain, i);
        if (sub && sub != m.mnMacros && GetMenuState(sub, ids::mnLoadMacro, MF_BYCOMMAND) != static_cast<UINT>(-1))
            return sub;
    }
    return nullptr;
}

}  // namespace

void AddExchangeMenus(MainMenus& m, std::vector<ACCEL>& accelerators) {
    if (m.mnSettings) {
        UINT at = 0;
        for (const Entry& e : kSettingsItems) {
            if (!e.id) {
                InsertMenuA(m.mnSettings, at++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
                continue;
            }
            InsertMenuA(m.mnSettings, at++, MF_BYPOSITION | MF_STRING, e.id, CaptionOf(e).c_str());
            accelerators.push_back(ACCEL{e.keyFlags, e.key, static_cast<WORD>(e.id)});
        }
    }
    HMENU macros = CreatePopupMenu();
    for (const Entry& e : kMacrosMenu) {
        AppendMenuA(macros, MF_STRING, e.id, CaptionOf(e).c_str());
        accelerators.push_back(ACCEL{e.keyFlags, e.key, static_cast<WORD>(e.id)});
    }
    // Before the Help menu, the last one.
    const int help = GetMenuItemCount(m.mmMain) - 1;
    InsertMenuA(m.mmMain, help < 0 ? 0 : help, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(macros),
                UiText(texts::kMacrosMenu, "&Macros").c_str());
}

void UpdateExchangeMenuTexts(const MainMenus& m) {
    if (m.mnSettings)
        for (const Entry& e : kSettingsItems)
            if (e.id) ModifyMenuA(m.mnSettings, e.id, MF_BYCOMMAND | MF_STRING, e.id, CaptionOf(e).c_str());
    if (HMENU macros = MacrosMenuOf(m)) {
        for (const Entry& e : kMacrosMenu)
            ModifyMenuA(macros, e.id, MF_BYCOMMAND | MF_STRING, e.id, CaptionOf(e).c_str());
        RenameSubmenu(m.mmMain, macros, UiText(texts::kMacrosMenu, "&Macros"));
    }
}

}  // namespace kl
