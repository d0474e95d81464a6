// The macro commands of the main menu's Macros menu and the tray menu's Macros
// submenu: save the block's macro to a file, load it back, and convert its keystrokes
// into a new hotkey that types them.
#include <windows.h>

#include "ui/file_dialogs.h"
#include "model/hotkey_editor_rules.h"
#include "system/library_binding.h"
#include "model/macro_files.h"
#include "model/ui_language.h"
#include "dialogs/edit_hotkey.h"
#include "window/control_ids.h"
#include "window/exchange_ids.h"
#include "window/startup.h"
#include "window/main_window.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

constexpr int kTypeTextFunction = 160;

int KeyCharactersForEmptyState(unsigned virtualKey, unsigned scanCode, char out[2]) {
    BYTE state[256] = {};
    WORD chars = 0;
    const int n = ToAscii(virtualKey, scanCode, state, &chars, 0);
    if (n <= 0) return 0;
    out[0] = static_cast<char>(chars & 0xFF);
    out[1] = static_cast<char>(chars >> 8);
    return n > 2 ? 2 : n;
}

}  // namespace

void TfrmMain::mmSaveMacroClick() {
    if (!Block()) return;
    const std::optional<std::string> file = AskSaveFile(hwnd_);
    SettingsBlock* b = Block();  // the dialog let other messages run
    if (!file || !b) return;
    if (const std::string problem = SaveMacroFile(*file, *b); !problem.empty()) {
        MessageBoxA(hwnd_, problem.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
        return;
    }
    MessageBoxA(hwnd_, UiText(96, "The macro has been saved.").c_str(), kApplicationTitle, MB_OK);
}

void TfrmMain::mmLoadMacroClick() {
    if (!Block()) return;
    const std::optional<std::string> file = AskOpenFile(hwnd_);
    SettingsBlock* b = Block();
    if (!file || !b) return;
    if (const std::string problem = LoadMacroFile(*file, *b); !problem.empty()) {
        MessageBoxA(hwnd_, (problem + "\r\n\r\nThe macro loaded before is kept.").c_str(), kApplicationTitle,
                    MB_OK | MB_ICONERROR);
        return;
    }
    MessageBoxA(hwnd_, UiText(97, "The macro has been loaded.").c_str(), kApplicationTitle, MB_OK);
}

void TfrmMain::mmConvertMacroClick() {
    SettingsBlock* b = Block();
    if (!b) return;
    const MacroFile macro = MacroOf(*b);
    const std::string text = MacroText(macro.events, KeyCharactersForEmptyState);
    if (text.empty()) {
        MessageBoxA(hwnd_, UiText(108, "The macro contains no typed characters.").c_str(), MessageCaption().c_str(),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    TfrmEditHotkey& editor = TfrmEditHotkey::Instance();
    if (editor.IsOpen()) {
        SetForegroundWindow(editor.handle());
        return;
    }
    editor.preset = TfrmEditHotkey::Preset{editor::ConvertedMacroDescription(UiText(102, "Typed macro"), text),
                                           kTypeTextFunction, text};
    mnNewHotkeyClick();  // ShowData after OK
    editor.preset.reset();
}

bool TfrmMain::OnExchangeCommand(int id) {
    switch (id) {
    case ids::mnLoadMacro: mmLoadMacroClick(); return true;
    case ids::mnSaveMacro: mmSaveMacroClick(); return true;
    case ids::mnConvertMacro: mmConvertMacroClick(); return true;
    case ids::mnExportSettings: mnExportSettingsClick(); return true;
    case ids::mnImportSettings: mnImportSettingsClick(); return true;
    case ids::mnPrintSettings: mnPrintSettingsClick(); return true;
    case ids::mmStyle: mmStyleClick(); return true;
    default: return false;
    }
}

}  // namespace kl
