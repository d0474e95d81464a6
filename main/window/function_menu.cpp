// Running a function from the tray menu's Functions list, its parameters asked
// for one by one, and reopening the hotkey executed last.
#include <cstdint>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/function_prompts.h"
#include "ui/input_box.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "model/ui_language.h"
#include "window/main_window.h"
#include "window/window_texts.h"
#include "ui/app_identity.h"

namespace kl {
void TfrmMain::ExecFunction(std::uint32_t functionId) {
    Catalogue catalogue(dataDir_, [](int n) { return UiText(n); });
    const auto lines = catalogue.FunctionCatalogue(0);
    if (!lines) return;
    // Every catalogue line of the function runs it, not only the first.
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
        MessageBoxA(hwnd_, UiText(texts::kNoHotkeyExecuted, "No hotkey has been executed yet.").c_str(), MessageCaption().c_str(),
                    MB_OK);
        return;
    }
    EditHotkey(last);  // on OK the data is shown again
}

}  // namespace kl
