#include "window/main_menu.h"

#include <string>
#include <vector>

#include "model/ui_language.h"
#include "window/control_ids.h"
#include "window/window_texts.h"

namespace kl {
namespace {

struct Item {
    int id;            // 0: separator
    int text;          // language line, -1: none
    const char* fallback;
    BYTE keyFlags;     // FVIRTKEY plus FSHIFT / FCONTROL; 0: no accelerator
    WORD key;
    const char* keyText;
};

// Items arrive with the actions behind them.
const std::vector<Item> kFileMenu = {
    {ids::mnExit2, 13, "E&xit", 0, 0, nullptr},
};
// File > New (the profile item is added with the profiles).
const std::vector<Item> kNewMenu = {
    {ids::mnNewHotkey, 105, "&Hotkey...", FVIRTKEY, VK_F5, "F5"},
    {ids::mnNewAlias, 106, "&Alias...", FVIRTKEY, VK_F6, "F6"},
};

const std::vector<Item> kTrayMenu = {
    {ids::mnOpen, 21, "&Open Keyloom", 0, 0, nullptr},
    {ids::mnEditLastHotkey, 53, "&Edit last hotkey", 0, 0, nullptr},
    {0, -1, nullptr, 0, 0, nullptr},  // the submenus go between the separators
    {0, -1, nullptr, 0, 0, nullptr},
    {ids::mnExit, 13, "E&xit", 0, 0, nullptr},
};

HMENU Fill(HMENU menu, const std::vector<Item>& items, std::vector<ACCEL>& accels) {
    for (const Item& item : items) {
        if (!item.id) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string caption = UiText(item.text, item.fallback);
        if (item.keyText) caption += std::string("\t") + item.keyText;
        AppendMenuA(menu, MF_STRING, item.id, caption.c_str());
        if (item.keyFlags) accels.push_back(ACCEL{static_cast<BYTE>(item.keyFlags | FVIRTKEY), item.key,
                                                  static_cast<WORD>(item.id)});
    }
    return menu;
}

}  // namespace

MainMenus CreateMainMenus() {
    MainMenus m;
    std::vector<ACCEL> accels;
    m.mmMain = CreateMenu();
    HMENU file = Fill(CreatePopupMenu(), kFileMenu, accels);
    AppendMenuA(m.mmMain, MF_POPUP, reinterpret_cast<UINT_PTR>(file), UiText(texts::kFileMenu, "&File").c_str());
    HMENU trayBar = CreatePopupMenu();
    m.pmSystray = Fill(trayBar, kTrayMenu, accels);
    m.mnCustom = CreatePopupMenu();
    SetMenuDefaultItem(m.pmSystray, ids::mnOpen, FALSE);
    AddOptionMenus(m, accels);
    // One New submenu: Hotkey and Alias before the profile.
    for (std::size_t i = 0; m.mnNew && i < kNewMenu.size(); ++i) {
        const Item& item = kNewMenu[i];
        const std::string caption = UiText(item.text, item.fallback) + "\t" + item.keyText;
        InsertMenuA(m.mnNew, static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, item.id, caption.c_str());
        accels.push_back(ACCEL{item.keyFlags, item.key, static_cast<WORD>(item.id)});
    }
    AddListMenus(m, accels);
    AddExchangeMenus(m, accels);
    if (!accels.empty()) m.accelerators = CreateAcceleratorTableA(accels.data(), static_cast<int>(accels.size()));
    return m;
}

void UpdateMenuTexts(const MainMenus& menus) {
    for (const auto* items : {&kFileMenu, &kNewMenu, &kTrayMenu}) {
        for (const Item& item : *items) {
            if (!item.id) continue;
            std::string caption = UiText(item.text, item.fallback);
            if (item.keyText) caption += std::string("\t") + item.keyText;
            HMENU owner = items == &kTrayMenu ? menus.pmSystray : menus.mmMain;
            ModifyMenuA(owner, item.id, MF_BYCOMMAND | MF_STRING, item.id, caption.c_str());
        }
    }
    RenameSubmenu(menus.pmSystray, menus.mnCustom, UiText(texts::kRecentHotkeysMenu, "&Recent hotkeys"));
    HMENU file = GetSubMenu(menus.mmMain, 0);
    ModifyMenuA(file, 0, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(GetSubMenu(file, 0)),
                UiText(texts::kNewMenu, "&New").c_str());
    ModifyMenuA(menus.mmMain, 0, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file),
                UiText(texts::kFileMenu, "&File").c_str());
    UpdateOptionMenuTexts(menus);
    UpdateListMenuTexts(menus);
    UpdateExchangeMenuTexts(menus);
}

void DestroyMainMenus(MainMenus& menus) {
    // mnCustom goes with the tray menu it sits in, mmMain with the window: none of the
    // handles may be used again.
    if (menus.pmSystray) DestroyMenu(menus.pmSystray);
    if (menus.pmHotkeys) DestroyMenu(menus.pmHotkeys);
    if (menus.accelerators) DestroyAcceleratorTable(menus.accelerators);
    menus = MainMenus{};
}

}  // namespace kl
