// The Help menu, the tray menu's submenus (Functions, Recent hotkeys, Profiles,
// Stopwatch, Macros) and the hotkey list's pop-up menu.
#include <string>
#include <vector>

#include "model/stopwatch.h"
#include "model/ui_language.h"
#include "window/control_ids.h"
#include "window/main_menu.h"
#include "window/window_texts.h"

namespace kl {
namespace {

struct Entry {
    int id;  // 0: separator
    int text;
    const char* fallback;
    BYTE keyFlags;  // 0: no accelerator
    WORD key;
    const char* keyText;
};

const std::vector<Entry> kHelpMenu = {
    {ids::mnHelpContents, 64, "&Offline help", FVIRTKEY, VK_F2, "F2"},
    {ids::mnHelpIndex, 65, "O&nline help", FVIRTKEY, VK_F3, "F3"},
    {0, -1, nullptr, 0, 0, nullptr},
    {ids::mnHomePage, 70, "Keyloom home page", FVIRTKEY | FSHIFT, VK_F4, "Shift+F4"},
    {ids::mnProductPage, 71, "Keyloom product page", FVIRTKEY, VK_F4, "F4"},
    {ids::mnEmailUs, 116, "E-&mail us", 0, 0, nullptr},
    {0, -1, nullptr, 0, 0, nullptr},
    {ids::mnAbout, 66, "&About Keyloom...", FVIRTKEY, VK_F11, "F11"},
};

const std::vector<Entry> kMacrosMenu = {
    {ids::mnLoadMacro, 100, "&Load macro...", 0, 0, nullptr},
    {ids::mnSaveMacro, 99, "&Save macro...", 0, 0, nullptr},
    {ids::mnConvertMacro, 101, "&Convert macro to hotkey...", 0, 0, nullptr},
};

// pmHotkeys > Sort by: the five columns after "#", tags 1 to 5.
const std::vector<Entry> kSortMenu = {
    {ids::mnSortByFirst, 109, "Description", 0, 0, nullptr}, {ids::mnSortByFirst + 1, 110, "Modifier", 0, 0, nullptr},
    {ids::mnSortByFirst + 2, 111, "Key", 0, 0, nullptr},     {ids::mnSortByFirst + 3, 112, "Function", 0, 0, nullptr},
    {ids::mnSortByFirst + 4, 113, "Parameter", 0, 0, nullptr},
};

std::string CaptionOf(const Entry& e) {
    std::string caption = UiText(e.text, e.fallback);
    if (e.keyText) caption += std::string("\t") + e.keyText;
    return caption;
}

HMENU Build(const std::vector<Entry>& entries, std::vector<ACCEL>& accelerators) {
    HMENU menu = CreatePopupMenu();
    for (const Entry& e : entries) {
        if (!e.id) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuA(menu, MF_STRING, e.id, CaptionOf(e).c_str());
        if (e.keyFlags) accelerators.push_back(ACCEL{e.keyFlags, e.key, static_cast<WORD>(e.id)});
    }
    return menu;
}

void Rename(HMENU menu, const std::vector<Entry>& entries) {
    for (const Entry& e : entries)
        if (e.id) ModifyMenuA(menu, e.id, MF_BYCOMMAND | MF_STRING, e.id, CaptionOf(e).c_str());
}

// Position of the tray menu's second separator, before which the submenus go.
int SubmenuPosition(HMENU tray) {
    int separators = 0;
    for (int i = 0, n = GetMenuItemCount(tray); i < n; ++i)
        if ((GetMenuState(tray, i, MF_BYPOSITION) & MF_SEPARATOR) && ++separators == 2) return i;
    return GetMenuItemCount(tray);
}

struct Submenu {
    HMENU MainMenus::*menu;
    int text;
    const char* fallback;
};
constexpr Submenu kTraySubmenus[] = {
    {&MainMenus::mnFunctions, 31, "&Functions"},  {&MainMenus::mnCustom, 32, "&Recent hotkeys"},
    {&MainMenus::mnTrayProfiles, 61, "&Profiles"}, {&MainMenus::mnTimer, 33, "Stopwatch"},
    {&MainMenus::mnMacros, 98, "&Macros"},
};

}  // namespace

void RenameSubmenu(HMENU parent, HMENU popup, const std::string& caption) {
    if (!parent || !popup) return;
    for (int i = 0, n = GetMenuItemCount(parent); i < n; ++i)
        if (GetSubMenu(parent, i) == popup)
            ModifyMenuA(parent, i, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                        caption.c_str());
}

void AddListMenus(MainMenus& m, std::vector<ACCEL>& accelerators) {
    m.mnHelp = Build(kHelpMenu, accelerators);
    AppendMenuA(m.mmMain, MF_POPUP, reinterpret_cast<UINT_PTR>(m.mnHelp), UiText(texts::kHelpMenu, "&Help").c_str());

    m.mnFunctions = CreatePopupMenu();
    m.mnTrayProfiles = CreatePopupMenu();
    m.mnTimer = CreatePopupMenu();
    m.mnMacros = Build(kMacrosMenu, accelerators);
    if (!m.mnCustom) m.mnCustom = CreatePopupMenu();
    int at = SubmenuPosition(m.pmSystray);
    for (const Submenu& s : kTraySubmenus)
        InsertMenuA(m.pmSystray, at++, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(m.*s.menu),
                    UiText(s.text, s.fallback).c_str());
    FillTimerMenu(m, 0);

    m.pmHotkeys = CreatePopupMenu();
    std::vector<ACCEL> none;
    AppendMenuA(m.pmHotkeys, MF_POPUP, reinterpret_cast<UINT_PTR>(Build(kSortMenu, none)), UiText(texts::kSortByMenu, "Sort by").c_str());
}

void UpdateListMenuTexts(const MainMenus& m) {
    if (!m.mnHelp) return;
    Rename(m.mnHelp, kHelpMenu);
    Rename(m.mnMacros, kMacrosMenu);
    RenameSubmenu(m.mmMain, m.mnHelp, UiText(texts::kHelpMenu, "&Help"));
    for (const Submenu& s : kTraySubmenus) RenameSubmenu(m.pmSystray, m.*s.menu, UiText(s.text, s.fallback));
    HMENU sort = GetSubMenu(m.pmHotkeys, 0);
    Rename(sort, kSortMenu);
    RenameSubmenu(m.pmHotkeys, sort, UiText(texts::kSortByMenu, "Sort by"));
}

void FillTimerMenu(const MainMenus& m, int state) {
    if (!m.mnTimer) return;
    while (GetMenuItemCount(m.mnTimer) > 0) DeleteMenu(m.mnTimer, 0, MF_BYPOSITION);
    const StopwatchItems shown = VisibleStopwatchItems(static_cast<StopwatchState>(state));
    AppendMenuA(m.mnTimer, MF_STRING, ids::mnTimerClear, UiText(texts::kStopwatchReset, "&Reset").c_str());
    AppendMenuA(m.mnTimer, MF_STRING, ids::mnTimerStatus, UiText(texts::kStopwatchShowReading, "Show &reading").c_str());
    AppendMenuA(m.mnTimer, MF_SEPARATOR, 0, nullptr);
    if (shown.start) AppendMenuA(m.mnTimer, MF_STRING, ids::mnTimerStart, UiText(texts::kStopwatchStart, "&Start").c_str());
    if (shown.stop) AppendMenuA(m.mnTimer, MF_STRING, ids::mnTimerStop, UiText(texts::kStopwatchStop, "S&top").c_str());
    if (shown.pause) AppendMenuA(m.mnTimer, MF_STRING, ids::mnTimerPause, UiText(texts::kStopwatchPause, "&Pause").c_str());
    if (shown.resume) AppendMenuA(m.mnTimer, MF_STRING, ids::mnTimerResume, UiText(texts::kStopwatchResume, "Res&ume").c_str());
}

}  // namespace kl
