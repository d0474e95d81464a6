// The menu items of profiles and keyboard setup in the main menu.
#include <string>
#include <vector>

#include "model/ui_language.h"
#include "window/control_ids.h"
#include "window/main_menu.h"
#include "window/window_texts.h"

namespace kl {
namespace {

constexpr int kProfileItems = ids::mnProfileLast - ids::mnProfileFirst + 1;

std::string WithKey(int text, const char* fallback, const char* key) { return UiText(text, fallback) + "\t" + key; }

// A name as a menu caption: "&" is shown, not taken for a mnemonic.
std::string MenuCaption(const std::string& name) {
    std::string caption;
    for (const char c : name) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

void RenamePopup(HMENU parent, HMENU popup, const std::string& caption) {
    if (!parent || !popup) return;
    for (int i = 0, n = GetMenuItemCount(parent); i < n; ++i)
        if (GetSubMenu(parent, i) == popup)
            ModifyMenuA(parent, i, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                        caption.c_str());
}

}  // namespace

void AddOptionMenus(MainMenus& m, std::vector<ACCEL>& accelerators) {
    HMENU file = GetSubMenu(m.mmMain, 0);
    if (!file) return;
    m.mnNew = CreatePopupMenu();
    AppendMenuA(m.mnNew, MF_STRING, ids::mnNewProfile, WithKey(107, "Profile", "F7").c_str());
    m.mnSettings = CreatePopupMenu();
    AppendMenuA(m.mnSettings, MF_STRING, ids::mnKbdSetup, WithKey(103, "Keyboard &setup...", "Ctrl+F12").c_str());
    InsertMenuA(file, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(m.mnNew), UiText(texts::kNewMenu, "&New").c_str());
    InsertMenuA(file, 1, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(m.mnSettings),
                UiText(texts::kSettingsMenu, "Settings").c_str());
    InsertMenuA(file, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    m.mnProfiles = CreatePopupMenu();
    AppendMenuA(m.mmMain, MF_POPUP, reinterpret_cast<UINT_PTR>(m.mnProfiles), UiText(texts::kProfilesMenu, "&Profiles").c_str());
    FillProfileMenu(m, {});
    accelerators.push_back(ACCEL{FVIRTKEY, VK_F7, static_cast<WORD>(ids::mnNewProfile)});
    accelerators.push_back(ACCEL{FVIRTKEY | FCONTROL, VK_F12, static_cast<WORD>(ids::mnKbdSetup)});
}

void UpdateOptionMenuTexts(const MainMenus& m) {
    if (!m.mnProfiles) return;
    ModifyMenuA(m.mnNew, ids::mnNewProfile, MF_BYCOMMAND | MF_STRING, ids::mnNewProfile,
                WithKey(107, "Profile", "F7").c_str());
    ModifyMenuA(m.mnSettings, ids::mnKbdSetup, MF_BYCOMMAND | MF_STRING, ids::mnKbdSetup,
                WithKey(103, "Keyboard &setup...", "Ctrl+F12").c_str());
    ModifyMenuA(m.mnProfiles, ids::mnEditProfiles, MF_BYCOMMAND | MF_STRING, ids::mnEditProfiles,
                UiText(texts::kEditProfilesMenu, "&Edit profiles...").c_str());
    HMENU file = GetSubMenu(m.mmMain, 0);
    RenamePopup(file, m.mnNew, UiText(texts::kNewMenu, "&New"));
    RenamePopup(file, m.mnSettings, UiText(texts::kSettingsMenu, "Settings"));
    RenamePopup(m.mmMain, m.mnProfiles, UiText(texts::kProfilesMenu, "&Profiles"));
}

void FillProfileMenu(const MainMenus& m, const std::vector<std::string>& profiles) {
    // The Profiles menu and its copy in the tray menu.
    for (HMENU menu : {m.mnProfiles, m.mnTrayProfiles}) {
        if (!menu) continue;
        while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
        if (profiles.size() > 1) {
            for (int i = 0; i < kProfileItems && static_cast<std::size_t>(i) < profiles.size(); ++i)
                AppendMenuA(menu, MF_STRING, ids::mnProfileFirst + i, MenuCaption(profiles[i]).c_str());
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);  // ProfileSeperator
        }
        AppendMenuA(menu, MF_STRING, ids::mnEditProfiles, UiText(texts::kEditProfilesMenu, "&Edit profiles...").c_str());
    }
}

}  // namespace kl
