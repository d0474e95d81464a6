#include "window/macro_commands.h"

#include "ui/file_dialogs.h"
#include "model/hotkey_editor_rules.h"
#include "model/macro_files.h"
#include "model/ui_language.h"
#include "dialogs/edit_hotkey.h"
#include "window/control_ids.h"
#include "window/window_texts.h"
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

void MacroCommands::Save() {
    if (!block_()) return;
    const std::optional<std::string> file = AskSaveFile(owner_);
    SettingsBlock* b = block_();  // the dialog let other messages run
    if (!file || !b) return;
    if (const std::string problem = SaveMacroFile(*file, *b); !problem.empty()) {
        MessageBoxA(owner_, problem.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
        return;
    }
    MessageBoxA(owner_, UiText(texts::kMacroSaved, "The macro has been saved.").c_str(), kApplicationTitle, MB_OK);
}

void MacroCommands::Load() {
    if (!block_()) return;
    const std::optional<std::string> file = AskOpenFile(owner_);
    SettingsBlock* b = block_();
    if (!file || !b) return;
    if (const std::string problem = LoadMacroFile(*file, *b); !problem.empty()) {
        MessageBoxA(owner_, (problem + "\r\n\r\n" + UiText(texts::kMacroKept, "The macro loaded before is kept.")).c_str(), kApplicationTitle,
                    MB_OK | MB_ICONERROR);
        return;
    }
    MessageBoxA(owner_, UiText(texts::kMacroLoaded, "The macro has been loaded.").c_str(), kApplicationTitle, MB_OK);
}

void MacroCommands::ConvertToHotkey() {
    SettingsBlock* b = block_();
    if (!b) return;
    const MacroFile macro = MacroOf(*b);
    const std::string text = MacroText(macro.events, KeyCharactersForEmptyState);
    if (text.empty()) {
        MessageBoxA(owner_, UiText(texts::kMacroWithoutCharacters, "The macro contains no typed characters.").c_str(), MessageCaption().c_str(),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    TfrmEditHotkey& editor = TfrmEditHotkey::Instance();
    if (editor.IsOpen()) {
        SetForegroundWindow(editor.handle());
        return;
    }
    editor.preset = TfrmEditHotkey::Preset{editor::ConvertedMacroDescription(UiText(texts::kTypedMacroDescription, "Typed macro"), text),
                                           kTypeTextFunction, text};
    newHotkey_();  // the data is shown again after OK
    editor.preset.reset();
}

bool MacroCommands::OnCommand(int id) {
    switch (id) {
    case ids::mnLoadMacro: Load(); return true;
    case ids::mnSaveMacro: Save(); return true;
    case ids::mnConvertMacro: ConvertToHotkey(); return true;
    default: return false;
    }
}

}  // namespace kl
