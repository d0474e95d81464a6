// The tray menu pmSystray as it opens: the Functions list built anew from the catalogue,
// the profiles, the stopwatch items for the stopwatch's state; and the stopwatch commands
// (the macro commands are in macro_commands.cpp).
#include <string>

#include "model/catalogue.h"
#include "model/function_menu.h"
#include "system/library_binding.h"
#include "model/stopwatch.h"
#include "model/ui_language.h"
#include "ui/user_actions.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

std::string MenuCaption(const std::string& text) {
    std::string caption;
    for (const char c : text) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

}  // namespace

void TfrmMain::pmSystrayPopup() {
    HMENU functions = menus_.mnFunctions;
    while (functions && GetMenuItemCount(functions) > 0) DeleteMenu(functions, 0, MF_BYPOSITION);  // frees the submenus
    const LanguageText text = [](int n) { return UiText(n); };
    Catalogue catalogue(dataDir_, text);
    for (const FunctionMenuCategory& category : BuildFunctionMenu(catalogue, text)) {
        UniqueMenu submenu(CreatePopupMenu());
        for (const FunctionMenuItem& item : category.items) {
            const int command = ids::mnFunctionFirst + item.functionId;
            if (command < ids::mnFunctionFirst || command > ids::mnFunctionLast) continue;
            AppendMenuA(submenu.get(), MF_STRING, command, MenuCaption(item.caption).c_str());
        }
        if (GetMenuItemCount(submenu.get()) == 0) continue;
        AppendMenuA(functions, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.release()), MenuCaption(category.caption).c_str());
    }
    FillTimerMenu(menus_, static_cast<int>(StateOf(Block())));
    profiles_.RefreshMenu();
}

bool TfrmMain::OnTrayCommand(int id) {
    SettingsBlock* b = Block();
    switch (id) {
    case ids::mnTimerClear:
        if (b) TimerClear(*b);
        return true;
    case ids::mnTimerStart:
        if (b) TimerStart(*b, GetTickCount(), CurrentDateTime());
        return true;
    case ids::mnTimerStop:
        if (b) TimerStop(*b, GetTickCount(), CurrentDateTime());
        return true;
    case ids::mnTimerPause:
        if (b) TimerPause(*b, GetTickCount(), CurrentDateTime());
        return true;
    case ids::mnTimerResume:
        if (b) TimerResume(*b, GetTickCount(), CurrentDateTime());
        return true;
    case ids::mnTimerStatus:
        ShowTimerStatus();
        return true;
    default:
        return false;
    }
}

}  // namespace kl
