// Running hotkeys in the main window: a hotkey that arrives from the hooks, the
// system's hotkey registrations or the recently used list; a function run from
// the tray menu with its parameters asked for; the last hotkey reopened.
#include <cstdint>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/function_prompts.h"
#include "core/hotkey_store.h"
#include "core/input_box.h"
#include "core/library_binding.h"
#include "core/support_calls.h"
#include "core/ui_language.h"
#include "registry_names.h"
#include "window/main_window.h"

namespace kl {
namespace {

constexpr std::size_t kListTextMax = 255;
constexpr int kNoHotkeyExecutedText = 86;

}  // namespace

void TfrmMain::ExecuteHotkey(std::uint32_t id, bool addToRecent) {
    SettingsBlock* b = Block();
    if (b && b->HotkeysSuspended) {
        Status("Not executing hotkey " + std::to_string(id));
        return;
    }
    // A failing function leaves the status text as it is and ends nothing.
    try {
        if (b) b->LastHotkey = static_cast<std::int32_t>(id);
        std::vector<char> description(kHotkeyTextBuffer, '\0');
        std::vector<char> parameters(kHotkeyTextBuffer, '\0');
        std::int32_t modifier = 0, key = 0, functionId = 0;
        if (!CallGetHotkey(static_cast<std::int32_t>(id), &modifier, &key, &functionId, description.data(),
                           parameters.data()))
            return;
        description.back() = parameters.back() = '\0';
        if ((b = Block())) {
            b->SuppressStartMenu = kTrue;
            b->HotkeysSuspended = kFalse;
        }
        Status("Hotkey " + std::to_string(id));
        // Status lets other messages through: the block may have gone meanwhile.
        if ((b = Block()) && b->ConfirmHotkeys) MessageBeep(0);
        if (addToRecent) {
            const std::string text(description.data());
            const std::string params(parameters.data());
            AddToRecentlyUsedHotkeys(static_cast<std::int32_t>(id), functionId, text.substr(0, kListTextMax),
                                     params.substr(0, kListTextMax));
        }
        CallExecuteFunctionEx(static_cast<std::uint32_t>(functionId), parameters.data());
    } catch (...) {
    }
}

void TfrmMain::AddToRecentlyUsedHotkeys(std::int32_t id, std::int32_t, std::string_view description,
                                        std::string_view) {
    recent_.Add(id, description);
}

bool TfrmMain::mnCustomClick(UINT command) {
    if (!recent_.Owns(command)) return false;
    if (const auto id = recent_.HotkeyFor(command); id && *id > 0) ExecuteHotkey(static_cast<std::uint32_t>(*id), false);
    return true;
}

void TfrmMain::OnHotkeyLookup(int key, int modifier) {
    const HotkeyStore store(reg::kHotkeysKey, Block());
    const int id = store.FindHotkeyID(key, modifier);
    if (id > 0) ExecuteHotkey(static_cast<std::uint32_t>(id), true);
}

void TfrmMain::ExecFunction(std::uint32_t functionId) {
    Catalogue catalogue(dataDir_, [](int n) { return UiText(n); });
    const auto lines = catalogue.FunctionCatalogue(0);
    if (!lines) return;
    for (const FunctionPrompts& prompts : PromptsForFunction(lines.value, functionId)) {
        const std::string caption = UiText(prompts.captionText);
        std::vector<std::string> answers;
        for (const int prompt : prompts.promptTexts)
            answers.push_back(InputBox(hwnd_, caption, UiText(prompt), "").value_or(""));
        std::string parameter = JoinAnswers(answers);
        parameter.resize(kHotkeyTextBuffer, '\0');
        parameter.back() = '\0';
        CallExecuteFunctionEx(functionId, parameter.data());
    }
}

void TfrmMain::mnEditLastHotkeyClick() {
    const SettingsBlock* b = Block();
    const std::int32_t last = b ? b->LastHotkey : 0;
    if (last == 0) {
        MessageBoxA(hwnd_, UiText(kNoHotkeyExecutedText, "No hotkey has been executed yet.").c_str(), "Keyloom",
                    MB_OK);
        return;
    }
    // The hotkey editor takes the hotkey from here once it exists.
    Status("Last hotkey " + std::to_string(last));
}

}  // namespace kl
