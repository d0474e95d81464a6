// What the main window does for the codes of its notification router
// (notification_router.*), and the Run prompt of code -5.
#include <string>

#include "ui/input_box.h"
#include "system/library_binding.h"
#include "system/shell_links.h"
#include "model/ui_language.h"
#include "text255.h"
#include "window/main_window.h"
#include "window/window_texts.h"

namespace kl {

void TfrmMain::RunHotkey(std::uint32_t id) { runner_.Execute(id, true); }

void TfrmMain::ShowMainWindow() { mnOpenClick(); }

void TfrmMain::ToggleTimerPlayback() { timer_.TogglePlayback(); }

void TfrmMain::ControlTimer(std::int32_t argument) { timer_.Control(argument); }

void TfrmMain::LoadProfileNumber(int number) { profiles_.Load(profiles_.NameOf(number), true); }

void TfrmMain::ShowIcon(HICON icon) { ChangeIcon(icon); }

void TfrmMain::RunPrompt() {
    SettingsBlock* b = Block();
    std::string file = std::string(b ? Text255View(b->DataDir) : std::string_view()) ;
    if (!file.empty() && file.back() != '\\' && file.back() != '/') file += '\\';
    file += "fnRun.exe";
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const auto answer = InputBox(hwnd_, UiText(texts::kRunCaption, "Run"), UiText(texts::kRunPrompt, "Program, document or folder to open:"),
                                     b ? GetText255(b->LastGotoDir) : std::string());
        file.clear();
        if (answer) {
            if ((b = Block())) SetText255(b->LastGotoDir, *answer);
            file = *answer;
        }
    }
    if (!file.empty()) ShellOpen(file, "", SW_SHOWNORMAL);
}

}  // namespace kl
