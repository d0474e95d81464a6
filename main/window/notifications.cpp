// What arrives at the main window from the hooks, klsupport, the tray icon and a second
// instance: the registered notification message (code in lParam) and WM_HOTKEY.
#include <cstdint>
#include <string>

#include "ui/input_box.h"
#include "system/library_binding.h"
#include "system/macro_step.h"
#include "system/shell_links.h"
#include "system/support_calls.h"
#include "model/ui_language.h"
#include "ui/user_actions.h"
#include "handle_words.h"
#include "notify_codes.h"
#include "text255.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "window/startup.h"

namespace kl {
namespace {

constexpr std::int32_t kTimerPlayback = 4;
constexpr UINT kPlaybackInterval = 250;
constexpr UINT kMinimumInterval = 100;

bool IsProgramIcon(const SettingsBlock& b, Handle32 icon) {
    return icon != 0 && (icon == b.IconDefault || icon == b.IconPlaying || icon == b.IconRecording);
}

// Codes that only change state here. Every other code may open a box, a menu or an
// input prompt, or call into klsupport again.
bool RunsInPlace(LPARAM code) {
    return code == kNotifyIcon || code == kNotifyTimer || code == kNotifyToggleTimerPlayback || code == kNotifyNoAction;
}

}  // namespace

void TfrmMain::OnNotify(WPARAM wp, LPARAM lp) {
    // klsupport notifies with SendNotifyMessageA, which runs this on our thread in the
    // middle of its call: a modal loop here would run with the library's frames below it,
    // and Exit chosen meanwhile would unload it. Such codes, and everything that arrives
    // while the window is still being created, wait until the call has returned.
    if (creating_ || (LibraryCallDepth() > 0 && !RunsInPlace(lp))) {
        deferred_.emplace_back(wp, lp);
        return;
    }
    if (!RunsInPlace(lp)) CompleteStartup();
    SettingsBlock* b = Block();
    if (!b) return;
    switch (lp) {
    case kNotifyExecuteHotkey:
        if (wp != 0) ExecuteHotkey(static_cast<std::uint32_t>(wp), true);
        break;
    case kNotifyExecuteFunction: {
        std::string parameter(1024, '\0');
        CallExecuteFunctionEx(static_cast<std::uint32_t>(wp), parameter.data());
        break;
    }
    case kNotifyShowMainWindow:
    case kNotifyTrayDoubleClick:
        mnOpenClick();
        break;
    case kNotifyToggleTimerPlayback:
        StopTimer();
        if (b->JournalMode != 0) {
            b->JournalMode = 0;
            EndTimerPlayback(b);
        } else {
            b->JournalMode = kTimerPlayback;
            SetTimerInterval(kPlaybackInterval);
            StartTimer();
        }
        break;
    case kNotifyTimer: {
        const auto arg = static_cast<std::int32_t>(wp);
        if (arg == kTimerStart) {
            StartTimer();
        } else if (arg < 0) {
            StopTimer();
            b->JournalMode = 0;
            EndTimerPlayback(b);
        } else {
            SetTimerInterval(arg > static_cast<std::int32_t>(kMinimumInterval) ? arg : kMinimumInterval);
        }
        break;
    }
    case kNotifyLoadProfile:
        // The number counts in the profile list; 0 and numbers beyond it name the default.
        LoadProfile(IDToProfile(static_cast<int>(static_cast<std::int32_t>(wp))), true);
        break;
    case kNotifyRunPrompt:
        RunProgramPrompt();
        break;
    case kNotifyRepeatMacro:
        RepeatMacro();
        break;
    case kNotifyStopwatch:
        ShowTimerStatus();
        break;
    case kNotifyIcon:
        // Only the program's own three icons go into the tray; anyone may post this code.
        if (IsProgramIcon(*b, static_cast<Handle32>(wp)))
            ChangeIcon(HandleFromWord<HICON>(static_cast<Handle32>(wp)));
        break;
    case kNotifyTrayMenu:
        PopupTrayMenu();
        break;
    default:
        break;
    }
}

void TfrmMain::RunProgramPrompt() {
    SettingsBlock* b = Block();
    std::string file = std::string(b ? Text255View(b->DataDir) : std::string_view()) ;
    if (!file.empty() && file.back() != '\\' && file.back() != '/') file += '\\';
    file += "fnRun.exe";
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const auto answer = InputBox(hwnd_, UiText(90, "Run"), UiText(89, "Program, document or folder to open:"),
                                     b ? GetText255(b->LastGotoDir) : std::string());
        file.clear();
        if (answer) {
            if ((b = Block())) SetText255(b->LastGotoDir, *answer);
            file = *answer;
        }
    }
    if (!file.empty()) ShellOpen(file, "", SW_SHOWNORMAL);
}

void TfrmMain::SetTimerInterval(UINT ms) {
    timerInterval_ = ms;
    if (timerRunning_) SetTimer(hwnd_, ids::tmMain, timerInterval_, nullptr);
}

void TfrmMain::StartTimer() {
    timerRunning_ = SetTimer(hwnd_, ids::tmMain, timerInterval_, nullptr) != 0;
}

void TfrmMain::StopTimer() {
    KillTimer(hwnd_, ids::tmMain);
    timerRunning_ = false;
}

}  // namespace kl
