#include "dialogs/editor_taken_notice.h"

#include <string>

#include "model/program_control_texts.h"
#include "model/ui_language.h"
#include "ui/app_identity.h"

#include "system/hotkey_conflicts.h"

namespace kl {
namespace {

namespace text = program_texts;

bool Taken(HWND dlg, int keyCode, int modifier) {
    // Mouse buttons and keys known only by their scan code cannot be registered.
    if (keyCode < 8 || keyCode > 0xFE || modifier < 0) return false;
    return CombinationTakenByOtherProgram(dlg, static_cast<UINT>(modifier & 15), static_cast<UINT>(keyCode));
}

}  // namespace

bool AcceptTakenCombination(HWND dlg, int keyCode, int modifier, bool simpleMode) {
    if (!Taken(dlg, keyCode, modifier)) return true;
    const std::string taken = UiText(text::kTakenByOther, "This combination is in use by another program") + ".\r\n\r\n";
    if (!simpleMode) {
        const std::string warning = taken + UiText(text::kHookModeWarning,
            "Keyloom's keyboard hook sees the keys first, so the hotkey works; the other program no longer receives "
            "the combination.");
        MessageBoxA(dlg, warning.c_str(), MessageCaption().c_str(), MB_OK | MB_ICONWARNING);
        return true;
    }
    const std::string question = taken + UiText(text::kStoreAnyway,
        "Store the hotkey all the same? It works only while that program does not hold the combination.");
    return MessageBoxA(dlg, question.c_str(), MessageCaption().c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace kl
